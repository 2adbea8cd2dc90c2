#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>

class QIODevice;

// The end record and central file headers of an archive, as raw records:
// what the spanned volumes need rewritten (volume numbers and offsets) and
// libzip never shows. Integers are little-endian, sizes 32-bit (no zip64).
class CZipDirectoryIndex
{
public:
    struct EndRecord
    {
        quint16 thisVolume = 0;
        quint16 directoryVolume = 0;
        quint16 entriesOnVolume = 0;
        quint16 totalEntries = 0;
        quint32 directorySize = 0;
        quint32 directoryOffset = 0;
        QByteArray comment;
        qint64 position = 0;       // where the record starts in its file

        QByteArray Bytes() const;
    };

    struct Header                  // one central file header, whole
    {
        QByteArray bytes;
        quint16 Volume() const;
        quint32 LocalOffset() const;
        quint32 CompressedSize() const;
        void SetVolume(quint16 volume);
        void SetLocalOffset(quint32 offset);
    };

    static constexpr quint32 LocalSignature = 0x04034B50;
    static constexpr quint32 CentralSignature = 0x02014B50;
    static constexpr quint32 SpanSignature = 0x08074B50;
    static constexpr quint32 EndSignature = 0x06054B50;

    // Finds and reads the end record in the last 65557 bytes of the file
    // (the last signature wins); throws cause 18 when there is none and 10
    // when the record is cut short.
    static EndRecord ReadEndRecord(QIODevice& file, const QString& path);

    // Reads `count` central headers from a block; throws cause 10 on a
    // wrong signature or a header that runs past the block.
    static QList<Header> ParseHeaders(const QByteArray& block, int count, const QString& path);

    // Bytes of a local header (fixed part, name and extra field) found at
    // the start of `data`; throws cause 10 when it is not a local header.
    static qint64 LocalHeaderLength(const QByteArray& data, const QString& path);

    static quint16 U16(const QByteArray& b, int at);
    static quint32 U32(const QByteArray& b, int at);
    static void Put16(QByteArray& b, int at, quint16 v);
    static void Put32(QByteArray& b, int at, quint32 v);
};
