#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QtGlobal>

// The fields of one entry as the central directory holds them. Names are
// UTF-8 text with "/" between folders, whatever code page the archive used.
struct CZipEntryInfo
{
    quint16 versionMadeBy = 20;
    quint16 versionNeeded = 20;
    quint16 flag = 0;
    quint16 method = 8;            // 0 stored, 8 deflate
    QDateTime time;                // local time of the file
    quint32 crc32 = 0;
    quint64 compressedSize = 0;
    quint64 uncompressedSize = 0;
    quint32 externalAttributes = 32; // archive bit; Unix mode in the high half when made on Unix
    QString name;
    QString comment;

    bool IsFolder() const { return name.endsWith(QLatin1Char('/')) || (externalAttributes & 0x10); }
    bool IsEncrypted() const { return flag & 1; }
};
