#pragma once

#include "platform/pagehost/CHttpReply.h"
#include "platform/pagehost/CPageHost.h"
#include "platform/pagehost/CRequestReader.h"

#include <QObject>

#include <atomic>

class CSession;
class CVirtualFolders;
class QTcpSocket;

// One accepted connection of the preview server: reads requests, has the
// page host answer them one at a time, and sends the replies, files in
// chunks as the socket takes them.
class CRequestSocket : public QObject
{
    Q_OBJECT
public:
    CRequestSocket(QTcpSocket* socket, const CVirtualFolders& folders, CSession& session,
                   std::atomic<bool>& globalAsaPending, QObject* parent = nullptr);
    ~CRequestSocket() override;

signals:
    void Closed(CRequestSocket* connection);

private slots:
    void OnReceive();
    void OnSend();

private:
    void AnswerWaitingRequests();
    void Send(CHttpReply reply);

    QTcpSocket* m_socket;
    CPageHost m_host;
    CRequestReader m_reader;
    std::unique_ptr<QFile> m_file;
    bool m_closing = false;
};
