#include "platform/zip/CZipContainer.h"

#include "platform/zip/CZipDiskStore.h"
#include "platform/zip/CZipEntryName.h"
#include "platform/zip/CZipException.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTemporaryFile>

#include <zip.h>

#include <algorithm>

namespace {

constexpr quint32 DirectoryAttribute = 0x10;
constexpr int UnixShift = 16;

QFileDevice::Permissions PermissionsOf(quint32 mode)
{
    QFileDevice::Permissions p = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser
                                 | QFileDevice::WriteUser;
    if (mode & 0040) p |= QFileDevice::ReadGroup;
    if (mode & 0004) p |= QFileDevice::ReadOther;
    if (mode & 0100) p |= QFileDevice::ExeOwner | QFileDevice::ExeUser;
    if (mode & 0010) p |= QFileDevice::ExeGroup;
    if (mode & 0001) p |= QFileDevice::ExeOther;
    return p;
}

quint32 ModeOf(const QFileInfo& info)
{
    quint32 mode = info.isDir() ? 040000 : 0100000;
    const auto p = info.permissions();
    if (p & QFileDevice::ReadOwner) mode |= 0400;
    if (p & QFileDevice::WriteOwner) mode |= 0200;
    if (p & QFileDevice::ExeOwner) mode |= 0100;
    if (p & QFileDevice::ReadGroup) mode |= 0040;
    if (p & QFileDevice::WriteGroup) mode |= 0020;
    if (p & QFileDevice::ExeGroup) mode |= 0010;
    if (p & QFileDevice::ReadOther) mode |= 0004;
    if (p & QFileDevice::WriteOther) mode |= 0002;
    if (p & QFileDevice::ExeOther) mode |= 0001;
    return mode;
}

} // namespace

CZipContainer::CZipContainer() = default;

CZipContainer::~CZipContainer()
{
    Release();
}

void CZipContainer::ThrowLibzip(int libzipError) const
{
    zip_error_t error;
    zip_error_init_with_code(&error, libzipError);
    const QString detail = QString::fromUtf8(zip_error_strerror(&error));
    zip_error_fini(&error);
    throw CZipException(CZipException::CauseOfLibzip(libzipError), m_path, detail);
}

// The traditional zip cipher checks a password against one byte only, so
// about one wrong password in 256 gets past the check and shows only as
// data that fails its CRC, does not inflate or ends early: for an encrypted entry that
// is a wrong password, not a damaged archive.
void CZipContainer::ThrowReadError() const
{
    const int code = zip_error_code_zip(zip_file_get_error(m_reading));
    const bool garbled = code == ZIP_ER_CRC || code == ZIP_ER_ZLIB || code == ZIP_ER_COMPRESSED_DATA;
    if (garbled && ReadingEncrypted())
        ThrowLibzip(ZIP_ER_WRONGPASSWD);
    ThrowLibzip(code);
}

bool CZipContainer::ReadingEncrypted() const
{
    zip_stat_t stat;
    zip_stat_init(&stat);
    return zip_stat_index(m_zip, zip_uint64_t(m_readingIndex), 0, &stat) == 0
           && (stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && stat.encryption_method != ZIP_EM_NONE;
}

void CZipContainer::ThrowArchiveError() const
{
    ThrowLibzip(zip_error_code_zip(zip_get_error(m_zip)));
}

int CZipContainer::GetSpanMode() const
{
    if (!IsOpen())
        return 0;
    if (m_spannedRead)
        return -1;
    return m_mode == CreateSpanned ? 1 : 0;
}

void CZipContainer::OpenContainer(const QString& path, int mode, qint64 volumeSize)
{
    if (IsOpen())
        return;
    m_password.clear();
    m_path = path;
    m_mode = mode;
    m_volumeSize = volumeSize;
    m_spannedRead = false;
    QString openPath = path;
    int flags = 0;
    switch (mode) {
    case OpenExisting:
    case OpenReadOnly:
        if (!QFileInfo(path).isFile())
            throw CZipException(CZipException::FileError, path);
        flags = ZIP_CHECKCONS | (mode == OpenReadOnly ? ZIP_RDONLY : 0);
        if (CZipDiskStore::LastVolumeNumber(path) != 0) {
            // libzip knows no volumes: read the spanned archive as the plain
            // one it amounts to.
            m_plainCopy = std::make_unique<QTemporaryFile>();
            if (!m_plainCopy->open())
                throw CZipException(CZipException::FileError, m_plainCopy->fileName());
            CZipDiskStore::JoinVolumes(path, m_plainCopy->fileName());
            m_plainCopy->close();
            openPath = m_plainCopy->fileName();
            flags = ZIP_CHECKCONS | ZIP_RDONLY;
            m_spannedRead = true;
        }
        break;
    case Create:
        flags = ZIP_CREATE | ZIP_TRUNCATE;
        break;
    case CreateSpanned:
        // Removable disks need a volume-change dialogue that nothing offers.
        if (volumeSize <= 0)
            throw CZipException(CZipException::NoVolumeCallback, path);
        m_plainCopy = std::make_unique<QTemporaryFile>(QFileInfo(path).absolutePath()
                                                       + QStringLiteral("/zipXXXXXX.part"));
        if (!m_plainCopy->open())
            throw CZipException(CZipException::FileError, path);
        m_plainCopy->close();
        openPath = m_plainCopy->fileName();
        flags = ZIP_CREATE | ZIP_TRUNCATE;
        break;
    default:
        throw CZipException(CZipException::Generic, path);
    }
    int error = 0;
    m_zip = zip_open(QFile::encodeName(openPath).constData(), flags, &error);
    if (!m_zip) {
        m_plainCopy.reset();
        // The end record was found above, so "not an archive" here means a
        // damaged one.
        ThrowLibzip(error == ZIP_ER_NOZIP && mode != Create && mode != CreateSpanned ? ZIP_ER_INCONS : error);
    }
    m_newCount = 0;
}

void CZipContainer::CloseContainer(bool afterException)
{
    if (!IsOpen())
        return;
    if (afterException) {
        Release();
        return;
    }
    if (m_state == EntryState::Reading)
        CloseEntryAfterReading();
    if (m_state == EntryState::Writing)
        CloseNewEntry();
    if (zip_close(m_zip) != 0) {
        const int code = zip_error_code_zip(zip_get_error(m_zip));
        Release();
        ThrowLibzip(code);
    }
    m_zip = nullptr;
    if (m_mode == CreateSpanned) {
        try {
            CZipDiskStore::SplitArchive(m_plainCopy->fileName(), m_path, m_volumeSize);
        } catch (...) {
            Release();
            throw;
        }
    }
    Release();
}

void CZipContainer::Release()
{
    if (m_reading) {
        zip_fclose(m_reading);
        m_reading = nullptr;
    }
    if (m_zip) {
        zip_discard(m_zip);
        m_zip = nullptr;
    }
    m_newData.close();
    m_state = EntryState::None;
    m_pending.reset();
    m_plainCopy.reset();
    m_sortedNames.clear();
    m_sortedIndexes.clear();
}

int CZipContainer::CountEntries() const
{
    return IsOpen() ? int(zip_get_num_entries(m_zip, 0)) : 0;
}

QString CZipContainer::EntryName(int index) const
{
    // Strict: a name without the UTF-8 flag is CP437, as the format says,
    // and libzip gives it back converted to UTF-8.
    const char* name = zip_get_name(m_zip, zip_uint64_t(index), ZIP_FL_ENC_STRICT);
    return name ? QString::fromUtf8(name) : QString();
}

bool CZipContainer::GetEntryInfo(CZipEntryInfo& info, int index) const
{
    if (!IsOpen() || index < 0 || index >= CountEntries())
        return false;
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(m_zip, zip_uint64_t(index), ZIP_FL_ENC_STRICT, &stat) != 0)
        return false;
    info = CZipEntryInfo();
    info.name = EntryName(index);
    info.method = quint16(stat.comp_method);
    info.crc32 = stat.crc;
    info.compressedSize = stat.comp_size;
    info.uncompressedSize = stat.size;
    info.time = QDateTime::fromSecsSinceEpoch(stat.mtime);
    if (stat.encryption_method != ZIP_EM_NONE)
        info.flag |= 1;
    zip_uint8_t system = 0;
    zip_uint32_t attributes = 0;
    if (zip_file_get_external_attributes(m_zip, zip_uint64_t(index), 0, &system, &attributes) == 0)
        info.externalAttributes = attributes;
    zip_uint32_t length = 0;
    const char* comment = zip_file_get_comment(m_zip, zip_uint64_t(index), &length, ZIP_FL_ENC_STRICT);
    if (comment)
        info.comment = QString::fromUtf8(comment, int(length));
    return true;
}

void CZipContainer::SetSortedLookup(bool on)
{
    m_sorted = on;
    m_sortedNames.clear();
    m_sortedIndexes.clear();
}

int CZipContainer::FindEntry(const QString& name, bool caseSensitive) const
{
    if (!IsOpen())
        return -1;
    const int count = CountEntries();
    if (m_sorted && caseSensitive) {
        auto* self = const_cast<CZipContainer*>(this);
        if (m_sortedNames.size() != count) {
            QList<std::pair<QString, int>> pairs;
            for (int i = 0; i < count; ++i)
                pairs.append({EntryName(i), i});
            std::sort(pairs.begin(), pairs.end());
            self->m_sortedNames.clear();
            self->m_sortedIndexes.clear();
            for (const auto& [n, i] : pairs) {
                self->m_sortedNames.append(n);
                self->m_sortedIndexes.append(i);
            }
        }
        const auto it = std::lower_bound(m_sortedNames.begin(), m_sortedNames.end(), name);
        if (it != m_sortedNames.end() && *it == name)
            return m_sortedIndexes[int(it - m_sortedNames.begin())];
        return -1;
    }
    const Qt::CaseSensitivity cs = caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    for (int i = 0; i < count; ++i) {
        if (EntryName(i).compare(name, cs) == 0)
            return i;
    }
    return -1;
}

bool CZipContainer::OpenNewEntry(const CZipEntryInfo& header, int level, const QString& sourcePath)
{
    if (!IsOpen() || m_state != EntryState::None || m_spannedRead || m_mode == OpenReadOnly
        || CountEntries() >= MaxEntries)
        return false;
    m_newHeader = header;
    m_newLevel = level;
    if (m_newHeader.name.isEmpty())
        m_newHeader.name = QStringLiteral("file%1").arg(CountEntries());
    m_newHeader.name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (m_newHeader.name.toUtf8().size() >= 65536 || m_newHeader.comment.toUtf8().size() >= 65536)
        throw CZipException(CZipException::TooLongField, m_path, m_newHeader.name.left(64));
    if (!sourcePath.isEmpty()) {
        const QFileInfo info(sourcePath);
        m_newHeader.time = info.lastModified();
        m_newHeader.externalAttributes = ModeOf(info) << UnixShift | (info.isDir() ? DirectoryAttribute : 32);
        if (info.isDir() && !m_newHeader.name.endsWith(QLatin1Char('/')))
            m_newHeader.name += QLatin1Char('/');
    }
    if (!m_newHeader.time.isValid())
        m_newHeader.time = QDateTime::currentDateTime();
    if (!m_pending)
        m_pending = std::make_unique<QTemporaryDir>();
    m_newData.setFileName(m_pending->filePath(QStringLiteral("entry%1").arg(m_newCount++)));
    if (!m_newData.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw CZipException(CZipException::FileError, m_newData.fileName(), m_newData.errorString());
    m_state = EntryState::Writing;
    return true;
}

bool CZipContainer::WriteNewEntryData(const char* buffer, qint64 size)
{
    if (m_state != EntryState::Writing)
        return false;
    if (m_newData.write(buffer, size) != size)
        throw CZipException(CZipException::FileError, m_newData.fileName(), m_newData.errorString());
    return true;
}

void CZipContainer::CloseNewEntry()
{
    if (m_state != EntryState::Writing)
        return;
    m_newData.close();
    m_state = EntryState::None;
    AddNewEntryToArchive();
}

void CZipContainer::AddNewEntryToArchive()
{
    const QByteArray name = m_newHeader.name.toUtf8();
    zip_int64_t index = -1;
    if (m_newHeader.IsFolder()) {
        index = zip_dir_add(m_zip, name.constData(), ZIP_FL_ENC_UTF_8);
    } else {
        zip_source_t* source = zip_source_file(m_zip, QFile::encodeName(m_newData.fileName()).constData(), 0, -1);
        if (!source)
            ThrowArchiveError();
        index = zip_file_add(m_zip, name.constData(), source, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE);
        if (index < 0) {
            zip_source_free(source);
            ThrowArchiveError();
        }
        const bool stored = m_newLevel == 0;
        zip_set_file_compression(m_zip, zip_uint64_t(index), stored ? ZIP_CM_STORE : ZIP_CM_DEFLATE,
                                 stored || m_newLevel < 0 ? 0 : zip_uint32_t(qBound(1, m_newLevel, 9)));
        if (!m_password.isEmpty()
            && zip_file_set_encryption(m_zip, zip_uint64_t(index), ZIP_EM_TRAD_PKWARE, m_password.constData()) != 0)
            ThrowArchiveError();
    }
    if (index < 0)
        ThrowArchiveError();
    const auto at = zip_uint64_t(index);
    zip_file_set_mtime(m_zip, at, time_t(m_newHeader.time.toSecsSinceEpoch()), 0);
    zip_file_set_external_attributes(m_zip, at, 0, ZIP_OPSYS_UNIX, m_newHeader.externalAttributes);
    if (!m_newHeader.comment.isEmpty()) {
        const QByteArray comment = m_newHeader.comment.toUtf8();
        zip_file_set_comment(m_zip, at, comment.constData(), zip_uint16_t(comment.size()), ZIP_FL_ENC_UTF_8);
    }
    m_sortedNames.clear();
}

bool CZipContainer::AddFileEntry(const QString& filePath, int level, bool fullPath,
                                 const ZipProgressCallback& progress, int bufferSize)
{
    if (bufferSize <= 0)
        return false;
    CZipEntryInfo header;
    header.name = CZipEntryName::ForFile(filePath, fullPath);
    if (header.name.isEmpty() || !OpenNewEntry(header, level, filePath))
        return false;
    if (!QFileInfo(filePath).isDir()) {
        QFile file(filePath);
        if (!file.open(QIODevice::ReadOnly))
            return false; // the entry stays open, so nothing else is added
        const qint64 total = file.size();
        qint64 done = 0;
        QByteArray chunk;
        while (!(chunk = file.read(bufferSize)).isEmpty()) {
            WriteNewEntryData(chunk.constData(), chunk.size());
            done += chunk.size();
            if (progress && !progress(total, done))
                break;
        }
    }
    CloseNewEntry();
    return true;
}

bool CZipContainer::OpenEntryForReading(int index)
{
    if (!IsOpen() || m_state != EntryState::None || index < 0 || index >= CountEntries()
        || m_mode == CreateSpanned)
        return false;
    CZipEntryInfo info;
    GetEntryInfo(info, index);
    if (info.IsEncrypted() && m_password.isEmpty())
        return false;
    m_reading = zip_fopen_index_encrypted(m_zip, zip_uint64_t(index), 0,
                                          info.IsEncrypted() ? m_password.constData() : nullptr);
    if (!m_reading)
        ThrowArchiveError();
    m_toRead = qint64(info.uncompressedSize);
    m_readingInfo = info;
    m_readingIndex = index;
    m_state = EntryState::Reading;
    return true;
}

qint64 CZipContainer::ReadEntryData(char* buffer, qint64 size)
{
    if (m_state != EntryState::Reading)
        return 0;
    const qint64 wanted = qMin(size, m_toRead);
    const zip_int64_t got = zip_fread(m_reading, buffer, zip_uint64_t(wanted));
    if (got < 0)
        ThrowReadError();
    m_toRead -= got;
    // Garbled data can also inflate to a stream that ends early.
    if (got < wanted && ReadingEncrypted())
        ThrowLibzip(ZIP_ER_WRONGPASSWD);
    if (m_toRead == 0) {
        // libzip checks the CRC when its stream reaches the end, which a
        // read of exactly the entry's length does not: one more read does.
        // Data beyond the size the headers give means they lie.
        char past = 0;
        const zip_int64_t more = zip_fread(m_reading, &past, 1);
        if (more < 0)
            ThrowReadError();
        if (more > 0)
            throw CZipException(CZipException::Damaged, m_path, EntryName(m_readingIndex));
    }
    return got;
}

int CZipContainer::CloseEntryAfterReading(const QString& targetPath, bool afterException)
{
    if (m_state != EntryState::Reading)
        return 0;
    int result = 1;
    if (!afterException && m_toRead > 0)
        result = -1;
    zip_fclose(m_reading);
    m_reading = nullptr;
    m_state = EntryState::None;
    if (result == 1 && !targetPath.isEmpty()) {
        QFile target(targetPath);
        bool set = target.open(QIODevice::ReadWrite)
                   && target.setFileTime(m_readingInfo.time, QFileDevice::FileModificationTime);
        target.close();
        if (m_readingInfo.externalAttributes >> UnixShift)
            set = target.setPermissions(PermissionsOf(m_readingInfo.externalAttributes >> UnixShift)) && set;
        if (!set)
            result = -2;
    }
    return result;
}

bool CZipContainer::ExtractEntry(int index, const QString& folder, bool fullPath, const QString& newName,
                                 const ZipProgressCallback& progress, int bufferSize)
{
    if (bufferSize <= 0 || folder.isEmpty() || !IsOpen())
        return false;
    CZipEntryInfo info;
    if (!GetEntryInfo(info, index))
        return false;
    const QString name = newName.isEmpty() ? info.name : newName;
    const QString relative = CZipEntryName::SafeRelativePath(name, fullPath);
    if (relative.isEmpty())
        throw CZipException(CZipException::UnsafeName, m_path, name);
    const QDir root(folder);
    const QString target = QDir::cleanPath(root.absoluteFilePath(relative));
    if (info.IsFolder())
        return root.mkpath(relative);

    const QString parent = QFileInfo(target).absolutePath();
    if (!QDir().mkpath(parent))
        throw CZipException(CZipException::FileError, parent);
    // A folder inside the target that is a link elsewhere would still carry
    // the file out of it.
    const QString canonicalRoot = QFileInfo(root.absolutePath()).canonicalFilePath();
    const QString canonicalParent = QFileInfo(parent).canonicalFilePath();
    if (canonicalParent != canonicalRoot && !canonicalParent.startsWith(canonicalRoot + QLatin1Char('/')))
        throw CZipException(CZipException::UnsafeName, m_path, name);

    if (!OpenEntryForReading(index))
        return false;
    // Written aside and put in place only when the whole entry checked out,
    // so a damaged entry leaves no half file and no older file lost.
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly)) {
        CloseEntryAfterReading({}, true);
        throw CZipException(CZipException::FileError, target, out.errorString());
    }
    const qint64 total = qint64(info.uncompressedSize);
    qint64 done = 0;
    QByteArray chunk(bufferSize, Qt::Uninitialized);
    try {
        for (;;) {
            const qint64 got = ReadEntryData(chunk.data(), bufferSize);
            if (got > 0 && out.write(chunk.constData(), got) != got)
                throw CZipException(CZipException::FileError, target, out.errorString());
            done += got;
            if (progress && !progress(total, done))
                break;
            if (got < bufferSize)
                break;
        }
    } catch (...) {
        CloseEntryAfterReading({}, true);
        throw;
    }
    if (m_toRead > 0) {
        CloseEntryAfterReading();
        return false;
    }
    if (!out.commit()) {
        CloseEntryAfterReading({}, true);
        throw CZipException(CZipException::FileError, target, out.errorString());
    }
    return CloseEntryAfterReading(target) == 1;
}
