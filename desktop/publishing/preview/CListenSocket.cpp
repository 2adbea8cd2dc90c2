#include "desktop/publishing/preview/CListenSocket.h"

#include "desktop/publishing/preview/CRequestSocket.h"

#include <QTcpSocket>

CListenSocket::CListenSocket(QObject* parent) : QObject(parent)
{
    connect(&m_server, &QTcpServer::newConnection, this, &CListenSocket::OnAccept);
}

// Connections go before the session they use.
CListenSocket::~CListenSocket()
{
    qDeleteAll(m_connections);
    m_connections.clear();
    m_server.close();
}

void CListenSocket::AddVirtualDir(const QString& virtualPath, const QString& folder)
{
    m_folders.AddVirtualDir(virtualPath, folder);
}

// Only the loopback address: the preview runs the merchant's shop with his
// real database, which nobody else on the network should reach.
int CListenSocket::StartListening()
{
    m_folders.SetRootDir(m_rootDir);
    m_server.setListenBacklogSize(5);
    if (!m_server.listen(QHostAddress::LocalHost, m_port))
        return int(m_server.serverError()) + 1;
    return 0;
}

void CListenSocket::OnAccept()
{
    while (QTcpSocket* socket = m_server.nextPendingConnection()) {
        auto* connection = new CRequestSocket(socket, m_folders, m_session, m_globalAsaPending);
        connect(connection, &CRequestSocket::Closed, this, &CListenSocket::OnClosed);
        m_connections.append(connection);
    }
}

// The browser closed it: nothing more will come, so it goes now rather than
// when the preview closes.
void CListenSocket::OnClosed(CRequestSocket* connection)
{
    if (m_connections.removeOne(connection))
        connection->deleteLater();
}
