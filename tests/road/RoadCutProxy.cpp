#include "tests/road/RoadCutProxy.h"

#include "recordset/sync/CSyncFileBody.h"
#include "recordset/sync/SyncProtocol.h"

#include <QTcpSocket>

#include <stdexcept>
#include <utility>

#include <sys/socket.h>

namespace {

// Closing with no linger sends a reset instead of an orderly close.
void Reset(QTcpSocket* socket)
{
    if (!socket)
        return;
    const linger now{1, 0};
    if (socket->socketDescriptor() >= 0)
        setsockopt(int(socket->socketDescriptor()), SOL_SOCKET, SO_LINGER, &now, sizeof now);
    socket->abort();
}

} // namespace

RoadCutProxy::RoadCutProxy(quint16 shopPort) : m_shopPort(shopPort)
{
    if (!m_server.listen(QHostAddress::LocalHost, 0))
        throw std::runtime_error("the proxy found no free port");
    connect(&m_server, &QTcpServer::newConnection, this, &RoadCutProxy::Accept);
}

RoadCutProxy::~RoadCutProxy()
{
    const QList<Link*> links = std::exchange(m_links, {});
    for (Link* link : links) {
        link->client->disconnect(this);
        link->shop->disconnect(this);
        Reset(link->client);
        Reset(link->shop);
        delete link->client;
        delete link->shop;
        delete link;
    }
}

void RoadCutProxy::CutAt(Kind kind, int n, Cut cut)
{
    m_cutKind = kind;
    m_cutAt = n;
    m_cut = cut;
    m_cutRequest.clear();
    m_seen.clear();
}

void RoadCutProxy::StopCutting()
{
    m_cutAt = 0;
    m_cutRequest.clear();
}

void RoadCutProxy::Accept()
{
    while (QTcpSocket* client = m_server.nextPendingConnection()) {
        auto* link = new Link;
        link->client = client;
        link->client->setParent(nullptr);
        link->shop = new QTcpSocket;
        link->shop->connectToHost(QHostAddress::LocalHost, m_shopPort);
        m_links << link;
        connect(client, &QTcpSocket::readyRead, this, [this, link] { FromClient(link); });
        connect(client, &QTcpSocket::disconnected, this, [this, link] { Close(link, false); });
        connect(link->shop, &QTcpSocket::readyRead, this, [this, link] { FromShop(link); });
        connect(link->shop, &QTcpSocket::disconnected, this, [this, link] { Close(link, false); });
    }
}

qsizetype RoadCutProxy::RequestLength(const QByteArray& data)
{
    const qsizetype headEnd = data.indexOf("\r\n\r\n");
    if (headEnd < 0)
        return 0;
    qint64 body = 0;
    for (const QByteArray& line : data.left(headEnd).split('\n')) {
        const QByteArray trimmed = line.trimmed();
        if (trimmed.toLower().startsWith("content-length:"))
            body = trimmed.mid(15).trimmed().toLongLong();
    }
    const qsizetype total = headEnd + 4 + body;
    return data.size() >= total ? total : 0;
}

RoadCutProxy::Kind RoadCutProxy::Classify(const QByteArray& request)
{
    const QByteArray target = request.left(request.indexOf("\r\n")).split(' ').value(1);
    const QList<QPair<QLatin1StringView, Kind>> pages{{SyncProtocol::kPageDelete, Kind::Deletion},
                                                     {SyncProtocol::kPageUpdate, Kind::Row},
                                                     {SyncProtocol::kPageNotifyDeletion, Kind::DeletionNotice},
                                                     {SyncProtocol::kPageDownloadData, Kind::Record},
                                                     {SyncProtocol::kPageNotifyDownload, Kind::Confirmation},
                                                     {SyncProtocol::kPageConfirmDeletion, Kind::Confirmation}};
    for (const auto& [page, kind] : pages) {
        if (target == QByteArray(page.data(), page.size()))
            return kind;
    }
    if (target != QByteArray(SyncProtocol::kPageUpdateFile.data(), SyncProtocol::kPageUpdateFile.size()))
        return Kind::Other;
    CSyncFileBody::Header header;
    QByteArray piece;
    QString error;
    if (!CSyncFileBody::Parse(request.mid(request.indexOf("\r\n\r\n") + 4), &header, &piece, &error))
        return Kind::Other;
    const QString file = header.path + QLatin1Char('/') + header.fileName;
    qint64& sent = m_sentOfFile[file];
    if (header.flagFirst == 1)
        sent = 0;
    const bool first = header.flagFirst == 1;
    sent += header.numBytes;
    if (first)
        return Kind::FirstPiece;
    return sent >= header.totalBytes ? Kind::LastPiece : Kind::MiddlePiece;
}

void RoadCutProxy::FromClient(Link* link)
{
    link->pending += link->client->readAll();
    while (const qsizetype length = RequestLength(link->pending)) {
        const QByteArray request = link->pending.left(length);
        link->pending.remove(0, length);
        m_requests << request;
        const Kind kind = Classify(request);
        const int seen = ++m_seen[kind];
        const bool again = !m_cutRequest.isEmpty() && request == m_cutRequest;
        if (!again && (m_cutAt == 0 || kind != m_cutKind || seen != m_cutAt)) {
            link->shop->write(request);
            continue;
        }
        if (again && m_cut == Cut::DropReplyOnce) {
            m_cutRequest.clear();   // the client's resend goes through
            link->shop->write(request);
            continue;
        }
        ++m_cuts;
        m_cutRequest = request;
        switch (m_cut) {
        case Cut::DropRequest:
            Close(link, false);
            return;
        case Cut::DropReply:
        case Cut::DropReplyOnce:
            link->dropReply = true;
            link->shop->write(request);
            continue;
        case Cut::HalfRequestThenReset:
            link->shop->write(request.left(request.size() / 2));
            link->shop->flush();
            Close(link, true);
            return;
        }
    }
}

void RoadCutProxy::FromShop(Link* link)
{
    const QByteArray reply = link->shop->readAll();
    if (link->dropReply) {
        // The shop has carried the request out; its answer never arrives.
        Close(link, true);
        return;
    }
    link->client->write(reply);
}

void RoadCutProxy::Close(Link* link, bool reset)
{
    if (!m_links.removeOne(link))
        return;
    link->client->disconnect(this);
    link->shop->disconnect(this);
    if (reset) {
        Reset(link->client);
        Reset(link->shop);
    } else {
        link->client->disconnectFromHost();
        link->shop->disconnectFromHost();
    }
    link->client->deleteLater();
    link->shop->deleteLater();
    delete link;
}
