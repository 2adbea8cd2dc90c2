# What `cmake --install` puts in place and what CPack packs into a .deb.
#
# The programs find their installation data beside themselves, so tinda,
# qtr50d (when built), their shared libraries, the reference databases,
# template/, help/ and the icon share one folder, <prefix>/lib/quintaro;
# <prefix>/bin/tinda links to the program there. The menu entry and the
# icon go where the desktop looks for them.
set(QTR_INSTALL_DIR lib/quintaro)

# <prefix>/bin/<program> links to the program beside its data.
function(qtr_install_program_link program)
  install(CODE "
    file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin\")
    file(CREATE_LINK ../${QTR_INSTALL_DIR}/${program} \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin/${program}\" SYMBOLIC)
  ")
endfunction()

if(TARGET tinda)
  set_target_properties(tinda PROPERTIES INSTALL_RPATH "$ORIGIN")
  install(TARGETS tinda RUNTIME DESTINATION ${QTR_INSTALL_DIR})
  qtr_install_program_link(tinda)
  install(FILES ${CMAKE_SOURCE_DIR}/docs/man/tinda.1 DESTINATION share/man/man1)
endif()
# The shop server: the program, its man page, the example configuration and
# the deployment guide under share/doc/quintaro, and a systemd unit that
# starts the installed program with /etc/quintaro/qtr50d.ini (the path is
# the prefix's at install time, so the .deb's unit names /usr).
if(TARGET qtr50d)
  set_target_properties(qtr50d PROPERTIES INSTALL_RPATH "$ORIGIN")
  install(TARGETS qtr50d RUNTIME DESTINATION ${QTR_INSTALL_DIR})
  qtr_install_program_link(qtr50d)
  install(FILES ${CMAKE_SOURCE_DIR}/docs/man/qtr50d.8 DESTINATION share/man/man8)
  install(FILES ${CMAKE_SOURCE_DIR}/server/host/qtr50d.example.ini DESTINATION share/doc/quintaro/examples)
  install(FILES ${CMAKE_SOURCE_DIR}/docs/deploy.md DESTINATION share/doc/quintaro)
  install(CODE "
    set(QTR50D_PROGRAM \"\${CMAKE_INSTALL_PREFIX}/${QTR_INSTALL_DIR}/qtr50d\")
    configure_file(\"${CMAKE_SOURCE_DIR}/server/host/qtr50d.service.in\"
                   \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/lib/systemd/system/qtr50d.service\" @ONLY)
  ")
endif()
# Every shared library of the project goes with the programs (whichever of
# them a program links, now or later), each finding its neighbours beside
# itself.
function(qtr_collect_shared_libraries dir out)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  set(found)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "SHARED_LIBRARY" AND NOT target MATCHES "test")
      list(APPEND found ${target})
    endif()
  endforeach()
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(subdir IN LISTS subdirs)
    qtr_collect_shared_libraries(${subdir} more)
    list(APPEND found ${more})
  endforeach()
  set(${out} ${found} PARENT_SCOPE)
endfunction()
qtr_collect_shared_libraries(${CMAKE_SOURCE_DIR} QTR_SHARED_LIBRARIES)
foreach(library IN LISTS QTR_SHARED_LIBRARIES)
  set_target_properties(${library} PROPERTIES INSTALL_RPATH "$ORIGIN")
  install(TARGETS ${library} LIBRARY DESTINATION ${QTR_INSTALL_DIR})
endforeach()

install(DIRECTORY ${CMAKE_BINARY_DIR}/bin/db/ DESTINATION ${QTR_INSTALL_DIR}/db FILES_MATCHING PATTERN "*.mdb")
# The files a new project's site starts from, as the build put them beside
# the programs; the folder is there even when the build brings none.
install(DIRECTORY DESTINATION ${QTR_INSTALL_DIR}/template/system)
install(DIRECTORY ${CMAKE_BINARY_DIR}/bin/template/ DESTINATION ${QTR_INSTALL_DIR}/template OPTIONAL
        PATTERN "*.stamp" EXCLUDE)
# The sample import and export scripts and exchange file, for merchants to
# read and copy into their projects.
install(DIRECTORY ${CMAKE_BINARY_DIR}/bin/samples/ DESTINATION ${QTR_INSTALL_DIR}/samples OPTIONAL)
if(QTR_HELP_PDF)
  install(FILES ${QTR_HELP_PDF} DESTINATION ${QTR_INSTALL_DIR}/help)
endif()
set(QTR_RESOURCES ${CMAKE_SOURCE_DIR}/desktop/shell/app/resources)
install(FILES ${QTR_RESOURCES}/quintaro.png DESTINATION ${QTR_INSTALL_DIR})
install(FILES ${QTR_RESOURCES}/quintaro.png DESTINATION share/icons/hicolor/256x256/apps)
install(FILES ${QTR_RESOURCES}/quintaro.desktop DESTINATION share/applications)

# ---- the .deb ----------------------------------------------------------------
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quintaro)
set(CPACK_PACKAGE_VENDOR Morvella)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Quintaro: manage an online shop (tinda) and serve it (qtr50d)")
set(CPACK_PACKAGE_INSTALL_DIRECTORY quintaro)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Morvella <quintaro@morvella.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
find_program(QTR_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(QTR_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  # Our own libraries sit beside the programs, not in a system folder.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_BINARY_DIR}/bin)
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6widgets6, libqt6gui6, libqt6core6, libqt6sql6, libqt6sql6-sqlite, libsodium23, libmicrohttpd12")
endif()
# The SQLite driver is a plugin, which no library dependency names.
if(QTR_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite")
endif()
# A shop on PostgreSQL needs the driver plugin too.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, libqt6sql6-psql")
set(CPACK_STRIP_FILES ON)
include(CPack)
