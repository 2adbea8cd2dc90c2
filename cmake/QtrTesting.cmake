# Adds every listed folder (or, with no list, every sub-folder) that has a
# CMakeLists.txt, so a new folder joins the build by adding its own file.
function(qtr_add_subdirs)
  set(dirs ${ARGN})
  if(NOT dirs)
    file(GLOB children RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/*)
    list(SORT children)
    set(dirs ${children})
  endif()
  file(RELATIVE_PATH here ${CMAKE_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  foreach(dir IN LISTS dirs)
    if(here)
      set(rel ${here}/${dir})
    else()
      set(rel ${dir})
    endif()
    # QTR_SKIP_DIRS (a list of folders from the top) leaves work in progress
    # out of a local build.
    if(rel IN_LIST QTR_SKIP_DIRS)
      continue()
    endif()
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt)
      add_subdirectory(${dir})
    endif()
  endforeach()
endfunction()

# qtr_add_test(NAME SOURCES src... [LIBS lib...] [WIDGETS] [ENV VAR=value...])
# A GoogleTest executable with our main (which makes the Qt application
# object only when tests really run), discovered by CTest. Widget tests run
# on the offscreen platform. Every test requires the fixture that starts
# the run's PostgreSQL cluster (platform/testing), so a whole run starts
# one cluster and a test run alone still finds it.
function(qtr_add_test name)
  cmake_parse_arguments(T "WIDGETS" "TIMEOUT" "SOURCES;LIBS;ENV" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  if(T_WIDGETS)
    target_link_libraries(${name} PRIVATE qtr_test_main_widgets)
  else()
    target_link_libraries(${name} PRIVATE qtr_test_main_core)
  endif()
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock)
  set(env "QT_QPA_PLATFORM=offscreen" ${T_ENV})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_TIMEOUT 60
    PROPERTIES TIMEOUT ${T_TIMEOUT} FIXTURES_REQUIRED qtr_pgcluster)
  # ENVIRONMENT is a list, and the discovery script's argument passing
  # splits it so that only its first variable arrives; it is set on the
  # discovered tests afterwards instead, from a file CTest reads after the
  # list of discovered tests.
  set(env_file "${CMAKE_CURRENT_BINARY_DIR}/${name}_environment.cmake")
  file(GENERATE OUTPUT "${env_file}" CONTENT
    "foreach(test IN LISTS ${name}_TESTS)\n  set_tests_properties(\"\${test}\" PROPERTIES ENVIRONMENT [==[${env}]==])\nendforeach()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${env_file}")
endfunction()
