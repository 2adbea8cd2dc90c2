#include "platform/zip/CZipDirectoryIndex.h"

#include "platform/zip/CZipException.h"

#include <QIODevice>

namespace {

constexpr int EndRecordSize = 22;
constexpr int CentralHeaderSize = 46;
constexpr int LocalHeaderSize = 30;
constexpr qint64 LargestSearch = EndRecordSize + 65535;
constexpr qint64 SearchBlock = 32768;

} // namespace

quint16 CZipDirectoryIndex::U16(const QByteArray& b, int at)
{
    return quint16(quint8(b[at])) | quint16(quint8(b[at + 1])) << 8;
}

quint32 CZipDirectoryIndex::U32(const QByteArray& b, int at)
{
    return quint32(U16(b, at)) | quint32(U16(b, at + 2)) << 16;
}

void CZipDirectoryIndex::Put16(QByteArray& b, int at, quint16 v)
{
    b[at] = char(v & 0xFF);
    b[at + 1] = char(v >> 8);
}

void CZipDirectoryIndex::Put32(QByteArray& b, int at, quint32 v)
{
    Put16(b, at, quint16(v & 0xFFFF));
    Put16(b, at + 2, quint16(v >> 16));
}

quint16 CZipDirectoryIndex::Header::Volume() const { return U16(bytes, 34); }
quint32 CZipDirectoryIndex::Header::LocalOffset() const { return U32(bytes, 42); }
quint32 CZipDirectoryIndex::Header::CompressedSize() const { return U32(bytes, 20); }
void CZipDirectoryIndex::Header::SetVolume(quint16 volume) { Put16(bytes, 34, volume); }
void CZipDirectoryIndex::Header::SetLocalOffset(quint32 offset) { Put32(bytes, 42, offset); }

QByteArray CZipDirectoryIndex::EndRecord::Bytes() const
{
    QByteArray b(EndRecordSize, '\0');
    Put32(b, 0, EndSignature);
    Put16(b, 4, thisVolume);
    Put16(b, 6, directoryVolume);
    Put16(b, 8, entriesOnVolume);
    Put16(b, 10, totalEntries);
    Put32(b, 12, directorySize);
    Put32(b, 16, directoryOffset);
    Put16(b, 20, quint16(comment.size()));
    return b + comment;
}

CZipDirectoryIndex::EndRecord CZipDirectoryIndex::ReadEndRecord(QIODevice& file, const QString& path)
{
    const qint64 length = file.size();
    const qint64 lowest = length - qMin(length, LargestSearch);
    // Blocks from the end backwards, each overlapping the one after it by
    // three bytes, so a signature cut by a block's edge is still seen.
    qint64 blockEnd = length;
    while (blockEnd > lowest) {
        const qint64 blockStart = qMax(lowest, blockEnd - SearchBlock);
        file.seek(blockStart);
        const QByteArray block = file.read(blockEnd - blockStart);
        for (int i = int(block.size()) - 4; i >= 0; --i) {
            if (block[i] != 'P' || U32(block, i) != EndSignature)
                continue;
            const qint64 at = blockStart + i;
            file.seek(at);
            const QByteArray fixed = file.read(EndRecordSize);
            if (fixed.size() < EndRecordSize)
                throw CZipException(CZipException::Damaged, path);
            EndRecord record;
            record.position = at;
            record.thisVolume = U16(fixed, 4);
            record.directoryVolume = U16(fixed, 6);
            record.entriesOnVolume = U16(fixed, 8);
            record.totalEntries = U16(fixed, 10);
            record.directorySize = U32(fixed, 12);
            record.directoryOffset = U32(fixed, 16);
            const int commentLength = U16(fixed, 20);
            record.comment = file.read(commentLength);
            if (record.comment.size() < commentLength)
                throw CZipException(CZipException::Damaged, path);
            if ((record.totalEntries == 0) != (record.directorySize == 0))
                throw CZipException(CZipException::Damaged, path);
            return record;
        }
        if (blockStart == lowest)
            break;
        blockEnd = blockStart + 3;
    }
    throw CZipException(CZipException::NoEndRecord, path);
}

QList<CZipDirectoryIndex::Header> CZipDirectoryIndex::ParseHeaders(const QByteArray& block, int count,
                                                                   const QString& path)
{
    QList<Header> headers;
    int at = 0;
    for (int i = 0; i < count; ++i) {
        if (at + CentralHeaderSize > block.size() || U32(block, at) != CentralSignature)
            throw CZipException(CZipException::Damaged, path);
        const int length = CentralHeaderSize + U16(block, at + 28) + U16(block, at + 30) + U16(block, at + 32);
        if (at + length > block.size())
            throw CZipException(CZipException::Damaged, path);
        headers.append(Header{block.mid(at, length)});
        at += length;
    }
    return headers;
}

qint64 CZipDirectoryIndex::LocalHeaderLength(const QByteArray& data, const QString& path)
{
    if (data.size() < LocalHeaderSize || U32(data, 0) != LocalSignature)
        throw CZipException(CZipException::Damaged, path);
    return LocalHeaderSize + U16(data, 26) + U16(data, 28);
}
