#include "recordset/sync/CSyncFileBody.h"

#include "recordset/sync/SyncProtocol.h"

namespace {

constexpr int kMaxPairs = 16;
const QByteArray kBytesKey("PF_Bytes=");

QByteArray Pair(QLatin1StringView key, const QString& value)
{
    return QByteArray(key.data(), key.size()) + '=' + value.toUtf8().toPercentEncoding() + '&';
}

bool ReadNumber(const QHash<QString, QString>& values, QLatin1StringView key, qint64* number)
{
    bool ok = false;
    *number = values.value(QString(key)).toLongLong(&ok);
    return ok;
}

} // namespace

QByteArray CSyncFileBody::Build(const Header& header, const QByteArray& piece)
{
    QByteArray body;
    body += Pair(SyncProtocol::kUserCode, header.userCode);
    body += Pair(SyncProtocol::kPassword, header.password);
    body += Pair(SyncProtocol::kPath, header.path);
    body += Pair(SyncProtocol::kFlagFirst, QString::number(header.flagFirst));
    body += Pair(SyncProtocol::kFileName, header.fileName);
    body += Pair(SyncProtocol::kNumBytes, QString::number(piece.size()));
    if (header.totalBytes >= 0)
        body += Pair(SyncProtocol::kTotalBytes, QString::number(header.totalBytes));
    if (header.offset >= 0)
        body += Pair(SyncProtocol::kOffset, QString::number(header.offset));
    body += kBytesKey;
    body += piece;
    return body;
}

bool CSyncFileBody::Parse(const QByteArray& body, Header* header, QByteArray* piece, QString* error)
{
    *error = QString(SyncProtocol::kTransmissionError);
    QHash<QString, QString> values;
    qsizetype position = 0;
    for (int pairs = 0; !body.mid(position, kBytesKey.size()).startsWith(kBytesKey); ++pairs) {
        const qsizetype end = body.indexOf('&', position);
        if (end < 0 || pairs == kMaxPairs)
            return false;
        const QByteArray pair = body.mid(position, end - position);
        const qsizetype equals = pair.indexOf('=');
        if (equals > 0)
            values.insert(QString::fromUtf8(pair.left(equals)),
                          QString::fromUtf8(QByteArray::fromPercentEncoding(pair.mid(equals + 1))));
        position = end + 1;
    }
    header->userCode = values.value(QString(SyncProtocol::kUserCode));
    header->password = values.value(QString(SyncProtocol::kPassword));
    header->path = values.value(QString(SyncProtocol::kPath));
    header->fileName = values.value(QString(SyncProtocol::kFileName));
    qint64 flag = 0;
    if (!ReadNumber(values, SyncProtocol::kFlagFirst, &flag) || !ReadNumber(values, SyncProtocol::kNumBytes, &header->numBytes))
        return false;
    header->flagFirst = int(flag);
    if (!values.contains(QString(SyncProtocol::kTotalBytes)))
        header->totalBytes = -1;
    else if (!ReadNumber(values, SyncProtocol::kTotalBytes, &header->totalBytes) || header->totalBytes < 0)
        return false;
    if (!values.contains(QString(SyncProtocol::kOffset)))
        header->offset = -1;
    else if (!ReadNumber(values, SyncProtocol::kOffset, &header->offset) || header->offset < 0)
        return false;
    const qsizetype start = position + kBytesKey.size();
    if (header->numBytes <= 0 || start + header->numBytes > body.size())
        return false;
    *piece = body.mid(start, header->numBytes);
    error->clear();
    return true;
}
