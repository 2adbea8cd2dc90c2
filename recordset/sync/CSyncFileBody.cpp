#include "recordset/sync/CSyncFileBody.h"

#include "recordset/sync/SyncProtocol.h"

#include <QList>

namespace {

constexpr int kPairs = 6;
constexpr int kSkipped = 9;   // "PF_Bytes="

QByteArray Pair(QLatin1StringView key, const QString& value)
{
    return QByteArray(key.data(), key.size()) + '=' + value.toUtf8().toPercentEncoding() + '&';
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
    body += "PF_Bytes=";
    body += piece;
    return body;
}

bool CSyncFileBody::Parse(const QByteArray& body, Header* header, QByteArray* piece, QString* error)
{
    qsizetype end = -1;
    for (int found = 0; found < kPairs; ++found) {
        end = body.indexOf('&', end + 1);
        if (end < 0) {
            *error = QString(SyncProtocol::kTransmissionError);
            return false;
        }
    }
    QHash<QString, QString> values;
    for (const QByteArray& part : body.left(end).split('&')) {
        const qsizetype equals = part.indexOf('=');
        if (equals < 0)
            continue;
        values.insert(QString::fromUtf8(part.left(equals)),
                      QString::fromUtf8(QByteArray::fromPercentEncoding(part.mid(equals + 1))));
    }
    bool flagOk = false;
    bool countOk = false;
    header->userCode = values.value(QString(SyncProtocol::kUserCode));
    header->password = values.value(QString(SyncProtocol::kPassword));
    header->path = values.value(QString(SyncProtocol::kPath));
    header->fileName = values.value(QString(SyncProtocol::kFileName));
    header->flagFirst = values.value(QString(SyncProtocol::kFlagFirst)).toInt(&flagOk);
    header->numBytes = values.value(QString(SyncProtocol::kNumBytes)).toLongLong(&countOk);
    const qsizetype start = end + 1 + kSkipped;
    if (!flagOk || !countOk || header->numBytes <= 0 || start + header->numBytes > body.size()) {
        *error = QString(SyncProtocol::kTransmissionError);
        return false;
    }
    *piece = body.mid(start, header->numBytes);
    return true;
}
