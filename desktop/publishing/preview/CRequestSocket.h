#pragma once

#include "platform/pagehost/CHttpReply.h"
#include "platform/pagehost/CRequestReader.h"

#include <QObject>
#include <QTimer>

#include <memory>

class CPageHost;
class QFile;
class QTcpSocket;

// One accepted connection of the preview server: reads requests, has the
// listener's page host answer them one at a time, and sends the replies,
// files in chunks as the socket takes them.
//
// A client cannot make the server hold more than one request and a little
// of the next in memory, nor more than a few chunks of reply it does not
// read: reading stops until the waiting request is answered and its reply
// has gone. One request of a connection is answered per turn of the event
// loop, so a client that pipelines many requests does not hold up the
// others. Requests must name the preview itself as their host, so a web
// page that points another name at the loopback address gets nothing.
class CRequestSocket : public QObject
{
    Q_OBJECT
public:
    static constexpr qint64 kChunkBytes = 64 * 1024;
    static constexpr qint64 kMaxPendingOutput = 4 * kChunkBytes;

    CRequestSocket(QTcpSocket* socket, CPageHost& host, quint16 port, int idleTimeoutMs, QObject* parent = nullptr);
    ~CRequestSocket() override;

    // The Host header names the preview: 127.0.0.1 or localhost with its port.
    static bool IsOwnHost(const QByteArray& host, quint16 port);

signals:
    void Closed(CRequestSocket* connection);

private slots:
    void OnReceive();
    void OnSend();

private:
    void ScheduleAnswer(int delayMs = 0);
    void AnswerOneRequest();
    CHttpReply Answer(const QByteArray& request);
    void Send(CHttpReply reply);
    bool IsSending() const;
    void Close();
    void OnIdle();

    QTcpSocket* m_socket;
    CPageHost& m_host;
    quint16 m_port;
    CRequestReader m_reader;
    std::unique_ptr<QFile> m_file;
    QTimer m_idle;
    bool m_answerScheduled = false;
    bool m_closeAfterReply = false;
    bool m_closing = false;
};
