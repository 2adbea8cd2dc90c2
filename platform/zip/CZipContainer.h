#pragma once

#include "platform/zip/CZipEntryInfo.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QTemporaryDir;
class QTemporaryFile;
struct zip;
struct zip_file;

// Called after each chunk with the total and the bytes done; false stops.
using ZipProgressCallback = std::function<bool(qint64 total, qint64 done)>;

// One zip archive, read or written: entries added from files or streamed,
// extracted to a folder or streamed out. Plain archives go through libzip;
// spanned fixed-size volumes are joined or cut around it (CZipDiskStore).
// Errors throw CZipException; nothing is written until CloseContainer.
class CZipContainer
{
public:
    enum Mode { OpenExisting = 0, OpenReadOnly = 1, Create = 2, CreateSpanned = 3 };
    static constexpr int MaxEntries = 65535;

    CZipContainer();
    ~CZipContainer();
    CZipContainer(const CZipContainer&) = delete;
    CZipContainer& operator=(const CZipContainer&) = delete;

    void OpenContainer(const QString& path, int mode, qint64 volumeSize = 0);
    void CloseContainer(bool afterException = false);
    bool IsOpen() const { return m_zip != nullptr; }
    // 1 creating a spanned archive, -1 reading a spanned one, 0 plain.
    int GetSpanMode() const;

    // Traditional PKWARE encryption for the entries added and read after.
    void SetPassword(const QByteArray& password) { m_password = password; }

    int CountEntries() const;
    bool GetEntryInfo(CZipEntryInfo& info, int index) const;
    int FindEntry(const QString& name, bool caseSensitive) const;
    void SetSortedLookup(bool on);

    bool ExtractEntry(int index, const QString& folder, bool fullPath, const QString& newName = {},
                      const ZipProgressCallback& progress = {}, int bufferSize = 65535);
    bool AddFileEntry(const QString& filePath, int level, bool fullPath,
                      const ZipProgressCallback& progress = {}, int bufferSize = 65535);

    bool OpenEntryForReading(int index);
    qint64 ReadEntryData(char* buffer, qint64 size);
    // 1 done; -1 not all data read; -2 the file's time or rights not set.
    int CloseEntryAfterReading(const QString& targetPath = {}, bool afterException = false);

    bool OpenNewEntry(const CZipEntryInfo& header, int level, const QString& sourcePath = {});
    bool WriteNewEntryData(const char* buffer, qint64 size);
    void CloseNewEntry();

private:
    [[noreturn]] void ThrowLibzip(int libzipError) const;
    [[noreturn]] void ThrowReadError() const;
    bool ReadingEncrypted() const;
    [[noreturn]] void ThrowArchiveError() const;
    QString EntryName(int index) const;
    void AddNewEntryToArchive();
    void Release();

    zip* m_zip = nullptr;
    QString m_path;
    int m_mode = OpenExisting;
    qint64 m_volumeSize = 0;
    bool m_spannedRead = false;
    QByteArray m_password;
    std::unique_ptr<QTemporaryFile> m_plainCopy;  // joined or to be split
    std::unique_ptr<QTemporaryDir> m_pending;     // data of streamed new entries

    enum class EntryState { None, Writing, Reading };
    EntryState m_state = EntryState::None;
    zip_file* m_reading = nullptr;
    qint64 m_toRead = 0;
    CZipEntryInfo m_readingInfo;
    int m_readingIndex = -1;
    CZipEntryInfo m_newHeader;
    int m_newLevel = -1;
    QFile m_newData;
    int m_newCount = 0;

    bool m_sorted = false;
    QStringList m_sortedNames;
    QList<int> m_sortedIndexes;
};
