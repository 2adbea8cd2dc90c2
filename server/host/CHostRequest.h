#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

// One request as it arrived: the target exactly as sent (path and query,
// not decoded), the headers in their order, the whole body.
struct CHostRequest
{
    QByteArray method;
    QByteArray target;
    QByteArray version;
    QList<QPair<QByteArray, QByteArray>> headers;
    QByteArray body;
    QString peerAddress;   // the connection's own peer
    quint16 serverPort = 0;

    // The first value of a header, compared without regard to case.
    QByteArray Header(const QByteArray& name) const
    {
        for (const auto& [key, value] : headers)
            if (key.compare(name, Qt::CaseInsensitive) == 0)
                return value;
        return QByteArray();
    }
};
