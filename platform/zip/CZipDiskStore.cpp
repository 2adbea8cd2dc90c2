#include "platform/zip/CZipDiskStore.h"

#include "platform/zip/CZipDirectoryIndex.h"
#include "platform/zip/CZipException.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <vector>

namespace {

using Index = CZipDirectoryIndex;

constexpr qint64 CopyChunk = 1 << 20;

QFile& OpenOrThrow(QFile& file, QIODevice::OpenMode mode)
{
    if (!file.open(mode))
        throw CZipException(CZipException::FileError, file.fileName(), file.errorString());
    return file;
}

void CopyRange(QIODevice& from, QIODevice& to, qint64 length, const QString& path)
{
    while (length > 0) {
        const QByteArray chunk = from.read(qMin(length, CopyChunk));
        if (chunk.isEmpty())
            throw CZipException(CZipException::Damaged, path);
        if (to.write(chunk) != chunk.size())
            throw CZipException(CZipException::FileError, path);
        length -= chunk.size();
    }
}

// Writes volumes one after another; a record written at once moves to a
// fresh volume when it does not fit, entry data fills each volume up.
class VolumeWriter
{
public:
    VolumeWriter(const QString& archivePath, qint64 volumeSize)
        : m_archivePath(archivePath), m_volumeSize(volumeSize)
    {
        Open();
    }

    int Volume() const { return m_volume; }
    qint64 Used() const { return m_used; }
    bool Fits(qint64 length) const { return m_used == 0 || m_volumeSize - m_used >= length; }

    void WriteAtOnce(const QByteArray& bytes)
    {
        if (!Fits(bytes.size()))
            Next();
        Put(bytes);
    }

    void WriteSpread(QIODevice& from, qint64 length)
    {
        while (length > 0) {
            if (m_used >= m_volumeSize)
                Next();
            const QByteArray chunk = from.read(std::min({length, m_volumeSize - m_used, CopyChunk}));
            if (chunk.isEmpty())
                throw CZipException(CZipException::Damaged, m_archivePath);
            Put(chunk);
            length -= chunk.size();
        }
    }

    void Finish()
    {
        m_file.close();
        QFile::remove(m_archivePath);
        if (!QFile::rename(m_file.fileName(), m_archivePath))
            throw CZipException(CZipException::FileError, m_archivePath);
    }

    void RemoveAll()
    {
        m_file.close();
        for (int v = 0; v <= m_volume; ++v)
            QFile::remove(CZipDiskStore::VolumePath(m_archivePath, v));
    }

private:
    void Open()
    {
        m_file.setFileName(CZipDiskStore::VolumePath(m_archivePath, m_volume));
        OpenOrThrow(m_file, QIODevice::WriteOnly | QIODevice::Truncate);
        m_used = 0;
    }

    void Next()
    {
        if (m_volume + 1 >= CZipDiskStore::MaxVolumes)
            throw CZipException(CZipException::TooManyVolumes, m_archivePath);
        m_file.close();
        ++m_volume;
        Open();
    }

    void Put(const QByteArray& bytes)
    {
        if (m_file.write(bytes) != bytes.size())
            throw CZipException(CZipException::FileError, m_file.fileName(), m_file.errorString());
        m_used += bytes.size();
    }

    QString m_archivePath;
    qint64 m_volumeSize;
    int m_volume = 0;
    qint64 m_used = 0;
    QFile m_file;
};

QByteArray SignatureBytes()
{
    QByteArray b(4, '\0');
    Index::Put32(b, 0, Index::SpanSignature);
    return b;
}

void WriteVolumes(QFile& plain, const Index::EndRecord& end, VolumeWriter& out, const QString& path)
{
    plain.seek(end.directoryOffset);
    QList<Index::Header> headers = Index::ParseHeaders(plain.read(end.directorySize), end.totalEntries, path);
    std::vector<int> order(headers.size());
    for (int i = 0; i < int(order.size()); ++i)
        order[i] = i;
    std::sort(order.begin(), order.end(),
              [&](int a, int b) { return headers[a].LocalOffset() < headers[b].LocalOffset(); });

    out.WriteAtOnce(SignatureBytes());
    for (size_t k = 0; k < order.size(); ++k) {
        Index::Header& header = headers[order[k]];
        const qint64 start = header.LocalOffset();
        const qint64 end_ = k + 1 < order.size() ? headers[order[k + 1]].LocalOffset() : end.directoryOffset;
        plain.seek(start);
        const QByteArray fixed = plain.read(30);
        const qint64 localLength = Index::LocalHeaderLength(fixed, path);
        plain.seek(start);
        const QByteArray local = plain.read(localLength);
        out.WriteAtOnce(local);
        header.SetVolume(quint16(out.Volume()));
        header.SetLocalOffset(quint32(out.Used() - local.size()));
        out.WriteSpread(plain, end_ - start - localLength);
    }

    Index::EndRecord record = end;
    record.directorySize = 0;
    record.entriesOnVolume = 0;
    for (int i = 0; i < headers.size(); ++i) {
        const int volumeBefore = out.Volume();
        out.WriteAtOnce(headers[i].bytes);
        if (i == 0 || out.Volume() != volumeBefore)
            record.entriesOnVolume = 0;
        if (i == 0) {
            record.directoryVolume = quint16(out.Volume());
            record.directoryOffset = quint32(out.Used() - headers[i].bytes.size());
        }
        ++record.entriesOnVolume;
        record.directorySize += quint32(headers[i].bytes.size());
    }
    // The end record goes at once too: on a fresh volume it counts no
    // entries there.
    const QByteArray probe = record.Bytes();
    if (!out.Fits(probe.size())) {
        record.thisVolume = quint16(out.Volume() + 1);
        record.entriesOnVolume = 0;
    } else {
        record.thisVolume = quint16(out.Volume());
    }
    out.WriteAtOnce(record.Bytes());
}

} // namespace

int CZipDiskStore::LastVolumeNumber(const QString& archivePath)
{
    QFile file(archivePath);
    OpenOrThrow(file, QIODevice::ReadOnly);
    return Index::ReadEndRecord(file, archivePath).thisVolume;
}

QString CZipDiskStore::VolumePath(const QString& archivePath, int number)
{
    const QFileInfo info(archivePath);
    return info.dir().filePath(info.completeBaseName() + QStringLiteral(".%1").arg(number, 3, 10, QLatin1Char('0')));
}

void CZipDiskStore::JoinVolumes(const QString& archivePath, const QString& plainPath)
{
    QFile last(archivePath);
    OpenOrThrow(last, QIODevice::ReadOnly);
    const Index::EndRecord end = Index::ReadEndRecord(last, archivePath);
    last.close();
    const int lastVolume = end.thisVolume;

    QFile out(plainPath);
    OpenOrThrow(out, QIODevice::ReadWrite | QIODevice::Truncate);
    std::vector<qint64> base(lastVolume + 1);
    for (int v = 0; v <= lastVolume; ++v) {
        QFile volume(v == lastVolume ? archivePath : VolumePath(archivePath, v));
        OpenOrThrow(volume, QIODevice::ReadOnly);
        qint64 skipped = 0;
        if (v == 0 && Index::U32(volume.peek(4).leftJustified(4, '\0'), 0) == Index::SpanSignature) {
            volume.read(4);
            skipped = 4;
        }
        base[v] = out.pos() - skipped;
        CopyRange(volume, out, volume.size() - skipped, volume.fileName());
    }

    if (end.directoryVolume > lastVolume)
        throw CZipException(CZipException::Damaged, archivePath);
    const qint64 directoryStart = base[end.directoryVolume] + end.directoryOffset;
    if (directoryStart < 0 || directoryStart + end.directorySize > base[lastVolume] + end.position)
        throw CZipException(CZipException::Damaged, archivePath);
    out.seek(directoryStart);
    QList<Index::Header> headers = Index::ParseHeaders(out.read(end.directorySize), end.totalEntries, archivePath);
    QByteArray directory;
    for (Index::Header& header : headers) {
        if (header.Volume() > lastVolume)
            throw CZipException(CZipException::Damaged, archivePath);
        const qint64 offset = base[header.Volume()] + header.LocalOffset();
        if (offset < 0 || offset >= directoryStart)
            throw CZipException(CZipException::Damaged, archivePath);
        header.SetLocalOffset(quint32(offset));
        header.SetVolume(0);
        directory += header.bytes;
    }

    Index::EndRecord record = end;
    record.thisVolume = 0;
    record.directoryVolume = 0;
    record.entriesOnVolume = end.totalEntries;
    record.directoryOffset = quint32(directoryStart);
    out.resize(directoryStart);
    out.seek(directoryStart);
    if (out.write(directory + record.Bytes()) != directory.size() + record.Bytes().size())
        throw CZipException(CZipException::FileError, plainPath, out.errorString());
}

void CZipDiskStore::SplitArchive(const QString& plainPath, const QString& archivePath, qint64 volumeSize)
{
    QFile plain(plainPath);
    OpenOrThrow(plain, QIODevice::ReadOnly);
    if (plain.size() <= volumeSize) {
        plain.close();
        QFile::remove(archivePath);
        if (!QFile::rename(plainPath, archivePath))
            throw CZipException(CZipException::FileError, archivePath);
        return;
    }
    const Index::EndRecord end = Index::ReadEndRecord(plain, plainPath);
    VolumeWriter out(archivePath, volumeSize);
    try {
        WriteVolumes(plain, end, out, plainPath);
        out.Finish();
    } catch (...) {
        out.RemoveAll();
        throw;
    }
    plain.close();
    QFile::remove(plainPath);
}
