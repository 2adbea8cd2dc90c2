#include "desktop/publishing/preview/CRequestSocket.h"

#include <QTcpSocket>

namespace {

// Enough in flight to keep the loopback busy without holding a large file
// in memory.
const qint64 kChunkBytes = 64 * 1024;

} // namespace

CRequestSocket::CRequestSocket(QTcpSocket* socket, const CVirtualFolders& folders, CSession& session,
                               std::atomic<bool>& globalAsaPending, QObject* parent)
    : QObject(parent), m_socket(socket), m_host(folders, session, globalAsaPending)
{
    m_socket->setParent(this);
    connect(m_socket, &QTcpSocket::readyRead, this, &CRequestSocket::OnReceive);
    connect(m_socket, &QTcpSocket::bytesWritten, this, &CRequestSocket::OnSend);
    connect(m_socket, &QTcpSocket::disconnected, this, [this] { emit Closed(this); });
}

CRequestSocket::~CRequestSocket()
{
    m_socket->disconnect(this);
    m_socket->abort();
}

void CRequestSocket::OnReceive()
{
    if (m_closing) {
        m_socket->readAll();
        return;
    }
    m_reader.Append(m_socket->readAll());
    AnswerWaitingRequests();
}

// A reply goes out whole before the next request is answered.
void CRequestSocket::AnswerWaitingRequests()
{
    while (!m_file && !m_closing) {
        const CRequestReader::State state = m_reader.Check();
        if (state == CRequestReader::State::Incomplete)
            return;
        Send(state == CRequestReader::State::Complete ? m_host.Answer(m_reader.TakeRequest())
                                                      : CPageHost::Refusal(state));
    }
}

void CRequestSocket::Send(CHttpReply reply)
{
    m_socket->write(reply.head);
    if (!reply.body.isEmpty())
        m_socket->write(reply.body);
    if (reply.closeAfter) {
        m_closing = true;
        m_socket->disconnectFromHost();
        return;
    }
    m_file = std::move(reply.file);
    if (m_file)
        OnSend();
}

void CRequestSocket::OnSend()
{
    if (!m_file)
        return;
    while (m_socket->bytesToWrite() < kChunkBytes) {
        const QByteArray chunk = m_file->read(kChunkBytes);
        if (chunk.isEmpty()) {
            m_file.reset();
            AnswerWaitingRequests();
            return;
        }
        m_socket->write(chunk);
    }
}
