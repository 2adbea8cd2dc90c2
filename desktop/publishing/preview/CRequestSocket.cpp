#include "desktop/publishing/preview/CRequestSocket.h"

#include "platform/pagehost/CPageHost.h"

#include <QFile>
#include <QTcpSocket>

namespace {

// While a page of another connection runs (a component turned the event
// loop inside it), this one waits and tries again.
const int kBusyRetryMs = 10;

} // namespace

CRequestSocket::CRequestSocket(QTcpSocket* socket, CPageHost& host, quint16 port, int idleTimeoutMs,
                               QObject* parent)
    : QObject(parent), m_socket(socket), m_host(host), m_port(port)
{
    m_socket->setParent(this);
    m_socket->setReadBufferSize(kChunkBytes);
    connect(m_socket, &QTcpSocket::readyRead, this, &CRequestSocket::OnReceive);
    connect(m_socket, &QTcpSocket::bytesWritten, this, &CRequestSocket::OnSend);
    connect(m_socket, &QTcpSocket::disconnected, this, [this] { emit Closed(this); });
    m_idle.setSingleShot(true);
    m_idle.setInterval(idleTimeoutMs);
    connect(&m_idle, &QTimer::timeout, this, &CRequestSocket::OnIdle);
    m_idle.start();
}

CRequestSocket::~CRequestSocket()
{
    m_socket->disconnect(this);
    m_socket->abort();
}

bool CRequestSocket::IsOwnHost(const QByteArray& host, quint16 port)
{
    const QByteArray suffix = ':' + QByteArray::number(port);
    return host.compare("127.0.0.1" + suffix) == 0 || host.compare("localhost" + suffix, Qt::CaseInsensitive) == 0;
}

void CRequestSocket::OnReceive()
{
    m_idle.start();
    if (m_closing) {
        m_socket->readAll();
        return;
    }
    AnswerOneRequest();
}

bool CRequestSocket::IsSending() const { return m_file || m_socket->bytesToWrite() > kMaxPendingOutput; }

void CRequestSocket::ScheduleAnswer(int delayMs)
{
    if (m_answerScheduled)
        return;
    m_answerScheduled = true;
    QTimer::singleShot(delayMs, this, [this] {
        m_answerScheduled = false;
        AnswerOneRequest();
    });
}

// Reads only until one request is whole, and answers only that one.
void CRequestSocket::AnswerOneRequest()
{
    if (m_closing || IsSending())
        return;
    if (m_host.Runner().IsRunning()) {
        ScheduleAnswer(kBusyRetryMs);
        return;
    }
    CRequestReader::State state = m_reader.Check();
    while (state == CRequestReader::State::Incomplete && m_socket->bytesAvailable() > 0) {
        m_reader.Append(m_socket->read(kChunkBytes));
        state = m_reader.Check();
    }
    if (state == CRequestReader::State::Incomplete)
        return;
    Send(state == CRequestReader::State::Complete ? Answer(m_reader.TakeRequest()) : CPageHost::Refusal(state));
    if (!m_closing && !IsSending() && (!m_reader.IsEmpty() || m_socket->bytesAvailable() > 0))
        ScheduleAnswer();
}

CHttpReply CRequestSocket::Answer(const QByteArray& request)
{
    if (!IsOwnHost(CRequestReader::HeaderValue(request, "host"), m_port))
        return CPageHost::Refusal("HTTP/1.1 400 Bad Request");
    m_closeAfterReply = !CRequestReader::KeepsAlive(request);
    CHttpReply reply = m_host.Answer(request);
    // An HTTP/1.0 client keeps the connection only when told it may.
    const bool http10 = request.left(request.indexOf("\r\n")).endsWith(" HTTP/1.0");
    if (m_closeAfterReply)
        reply.head.insert(reply.head.size() - 2, "Connection: close\r\n");
    else if (http10)
        reply.head.insert(reply.head.size() - 2, "Connection: keep-alive\r\n");
    return reply;
}

void CRequestSocket::Send(CHttpReply reply)
{
    m_socket->write(reply.head);
    if (!reply.body.isEmpty())
        m_socket->write(reply.body);
    if (reply.closeAfter) {
        Close();
        return;
    }
    m_file = std::move(reply.file);
    if (m_file)
        OnSend();
    else if (m_closeAfterReply)
        Close();
}

void CRequestSocket::OnSend()
{
    m_idle.start();
    while (m_file && m_socket->bytesToWrite() < kChunkBytes) {
        const QByteArray chunk = m_file->read(kChunkBytes);
        if (chunk.isEmpty()) {
            m_file.reset();
            if (m_closeAfterReply)
                Close();
            break;
        }
        m_socket->write(chunk);
    }
    if (!IsSending())
        ScheduleAnswer();
}

// What was written still goes out before the connection ends.
void CRequestSocket::Close()
{
    m_closing = true;
    m_file.reset();
    m_socket->disconnectFromHost();
}

void CRequestSocket::OnIdle()
{
    m_closing = true;
    m_socket->abort();
    emit Closed(this);
}
