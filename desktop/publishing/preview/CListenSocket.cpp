#include "desktop/publishing/preview/CListenSocket.h"

#include "desktop/publishing/preview/CRequestSocket.h"

#include <QTcpSocket>
#include <QTimer>

#include <sys/socket.h>

#include <algorithm>

namespace {

const int kFirstBackOffMs = 10;
const int kLongestBackOffMs = 1000;

} // namespace

CListenSocket::CListenSocket(QObject* parent)
    : QObject(parent), m_host(m_folders, m_session, m_globalAsa, &m_application)
{
    connect(&m_server, &QTcpServer::newConnection, this, &CListenSocket::OnAccept);
    connect(&m_server, &QTcpServer::acceptError, this, &CListenSocket::OnAcceptError);
}

// Connections go before the page host and the session they use.
CListenSocket::~CListenSocket()
{
    qDeleteAll(m_connections);
    m_connections.clear();
    m_server.close();
}

void CListenSocket::AddVirtualDir(const QString& virtualPath, const QString& folder)
{
    m_folders.AddVirtualDir(virtualPath, folder, virtualPath.compare(QLatin1String("/db"), Qt::CaseInsensitive) != 0);
}

// Only the loopback address: the preview runs the merchant's shop with his
// real database, which nobody else on the network should reach. The
// system's backlog, so a burst of the browser's connections is not dropped.
int CListenSocket::StartListening()
{
    m_folders.SetRootDir(m_rootDir);
    m_server.setListenBacklogSize(SOMAXCONN);
    if (!m_server.listen(QHostAddress::LocalHost, m_port))
        return int(m_server.serverError()) + 1;
    return 0;
}

void CListenSocket::OnAccept()
{
    m_backOffMs = 0;
    while (QTcpSocket* socket = m_server.nextPendingConnection()) {
        auto* connection = new CRequestSocket(socket, m_host, m_server.serverPort(), m_idleTimeoutMs);
        connect(connection, &CRequestSocket::Closed, this, &CListenSocket::OnClosed);
        m_connections.append(connection);
    }
}

// Accepting fails when no descriptors are left; trying again at once would
// spin, so accepting pauses for a while that grows while it keeps failing.
void CListenSocket::OnAcceptError()
{
    ++m_acceptFailures;
    m_server.pauseAccepting();
    m_backOffMs = std::min(kLongestBackOffMs, m_backOffMs == 0 ? kFirstBackOffMs : m_backOffMs * 2);
    QTimer::singleShot(m_backOffMs, this, [this] { m_server.resumeAccepting(); });
}

// The browser closed it: nothing more will come, so it goes now rather than
// when the preview closes.
void CListenSocket::OnClosed(CRequestSocket* connection)
{
    if (m_connections.removeOne(connection))
        connection->deleteLater();
}
