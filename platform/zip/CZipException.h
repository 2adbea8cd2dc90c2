#pragma once

#include <QString>
#include <stdexcept>

// Every failure inside the zip archive code. The cause numbers are the ones
// stored and compared by callers; the text says the same in words.
class CZipException : public std::runtime_error
{
public:
    enum Cause {
        Generic = 1,
        StreamEnd = 2,
        NeedDictionary = 3,
        ZlibFile = 4,
        ZlibStream = 5,
        BadData = 6,
        NoMemory = 7,
        ZlibBuffer = 8,
        ZlibVersion = 9,
        Damaged = 10,
        BadCrc = 11,
        NoVolumeCallback = 12,
        VolumeRefused = 13,
        NotRemovable = 14,
        TooManyVolumes = 15,
        TooLongField = 16,
        BadPassword = 17,
        NoEndRecord = 18,
        UnsafeName = 19,
        FileError = 20
    };

    CZipException(int cause, const QString& path, const QString& detail = {});

    int GetCause() const { return m_cause; }
    QString GetFilePath() const { return m_path; }
    QString GetText() const;

    static QString CauseText(int cause);
    // The cause for one of libzip's error codes.
    static int CauseOfLibzip(int libzipError);

private:
    int m_cause;
    QString m_path;
    QString m_detail;
};
