#pragma once

#include "platform/pagehost/CApplication.h"
#include "platform/pagehost/CGlobalAsaGate.h"
#include "platform/pagehost/CPageHost.h"
#include "platform/pagehost/CSession.h"
#include "platform/pagehost/CVirtualFolders.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QTcpServer>

class CRequestSocket;

// The preview's web server: listens on the loopback address only, accepts
// connections and owns them. All its connections share one page host (one
// page runs at a time, on this thread), one session and one application,
// and run global.asa once between them. The database folder "/db" is found
// by Server.MapPath but never sent.
class CListenSocket : public QObject
{
    Q_OBJECT
public:
    static constexpr int kDefaultIdleTimeoutMs = 60 * 1000;

    explicit CListenSocket(QObject* parent = nullptr);
    ~CListenSocket() override;

    void SetPort(quint16 port) { m_port = port; }
    void SetRootDir(const QString& folder) { m_rootDir = folder; }
    void AddVirtualDir(const QString& virtualPath, const QString& folder);
    // Connections with nothing to do are closed after this time.
    void SetIdleTimeout(int milliseconds) { m_idleTimeoutMs = milliseconds; }
    // 0, or the socket error (QAbstractSocket::SocketError) plus one.
    int StartListening();

    // The port really listened on (port 0 asks the system for a free one).
    quint16 ServerPort() const { return m_server.serverPort(); }
    QHostAddress ServerAddress() const { return m_server.serverAddress(); }
    QString ErrorString() const { return m_server.errorString(); }
    qsizetype ConnectionCount() const { return m_connections.size(); }
    CSession& Session() { return m_session; }
    CApplication& Application() { return m_application; }
    CPageHost& PageHost() { return m_host; }
    // Times accepting failed (no descriptors left); each one pauses accepting.
    int AcceptFailures() const { return m_acceptFailures; }

private slots:
    void OnAccept();

private:
    void OnClosed(CRequestSocket* connection);
    void OnAcceptError();

    quint16 m_port = 0;
    QString m_rootDir;
    int m_idleTimeoutMs = kDefaultIdleTimeoutMs;
    CVirtualFolders m_folders;
    CSession m_session;
    CApplication m_application;
    CGlobalAsaGate m_globalAsa;
    CPageHost m_host;
    QTcpServer m_server;
    QList<CRequestSocket*> m_connections;
    int m_acceptFailures = 0;
    int m_backOffMs = 0;
};
