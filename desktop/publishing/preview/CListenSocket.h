#pragma once

#include "platform/pagehost/CSession.h"
#include "platform/pagehost/CVirtualFolders.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QTcpServer>

#include <atomic>

class CRequestSocket;

// The preview's web server: listens on the loopback address only, accepts
// connections and owns them. All its connections share one session and run
// global.asa once between them.
class CListenSocket : public QObject
{
    Q_OBJECT
public:
    explicit CListenSocket(QObject* parent = nullptr);
    ~CListenSocket() override;

    void SetPort(quint16 port) { m_port = port; }
    void SetRootDir(const QString& folder) { m_rootDir = folder; }
    void AddVirtualDir(const QString& virtualPath, const QString& folder);
    // 0, or the socket error (QAbstractSocket::SocketError) plus one.
    int StartListening();

    // The port really listened on (port 0 asks the system for a free one).
    quint16 ServerPort() const { return m_server.serverPort(); }
    QHostAddress ServerAddress() const { return m_server.serverAddress(); }
    QString ErrorString() const { return m_server.errorString(); }
    qsizetype ConnectionCount() const { return m_connections.size(); }
    CSession& Session() { return m_session; }

private slots:
    void OnAccept();

private:
    void OnClosed(CRequestSocket* connection);

    quint16 m_port = 0;
    QString m_rootDir;
    CVirtualFolders m_folders;
    CSession m_session;
    std::atomic<bool> m_globalAsaPending{true};
    QTcpServer m_server;
    QList<CRequestSocket*> m_connections;
};
