#include "server/host/CHttpDaemon.h"

#include "server/host/CHostConfig.h"

#include <QHostAddress>

#include <arpa/inet.h>
#include <microhttpd.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

// One request on its way through the daemon.
class CHttpExchange
{
public:
    // Queued: a reply is on its way (an answer or a refusal); what the client
    // still sends of the request is dropped.
    enum class Stage { RequestLine, Receiving, Running, Answered, Queued };

    MHD_Connection* connection = nullptr;
    CHttpDaemon* daemon = nullptr;
    Stage stage = Stage::RequestLine;
    CHostRequest request;
    CHostReply reply;
    qint64 received = 0;
    int status = 0;
    qint64 bytes = 0;
};

struct CHttpDaemonCallbacks
{
    static void* OnRequestLine(void* self, const char* uri, MHD_Connection* connection)
    {
        auto* daemon = static_cast<CHttpDaemon*>(self);
        auto* exchange = new CHttpExchange;
        exchange->daemon = daemon;
        exchange->connection = connection;
        exchange->request.target = QByteArray(uri);
        exchange->request.serverPort = daemon->m_port;
        daemon->m_inProgress.fetch_add(1);
        return exchange;
    }

    static MHD_Result AddHeader(void* into, MHD_ValueKind, const char* key, const char* value)
    {
        static_cast<CHostRequest*>(into)->headers.append({QByteArray(key), QByteArray(value ? value : "")});
        return MHD_YES;
    }

    static QString PeerAddress(MHD_Connection* connection)
    {
        const MHD_ConnectionInfo* info = MHD_get_connection_info(connection, MHD_CONNECTION_INFO_CLIENT_ADDRESS);
        if (!info || !info->client_addr)
            return QString();
        QHostAddress address(info->client_addr);
        bool mapped = false;
        const quint32 v4 = address.toIPv4Address(&mapped);
        return mapped ? QHostAddress(v4).toString() : address.toString();
    }

    // The first call of a request: its headers are all there.
    static MHD_Result Begin(CHttpDaemon& daemon, CHttpExchange& exchange, const char* method, const char* version)
    {
        CHostRequest& request = exchange.request;
        request.method = method;
        request.version = version;
        request.peerAddress = PeerAddress(exchange.connection);
        MHD_get_connection_values(exchange.connection, MHD_HEADER_KIND, &AddHeader, &request);
        exchange.stage = CHttpExchange::Stage::Receiving;
        qint64 headerBytes = request.target.size() + 16;
        for (const auto& [key, value] : request.headers)
            headerBytes += key.size() + value.size() + 4;
        int refusal = 0;
        if (headerBytes > daemon.m_maxHeaderBytes)
            refusal = MHD_HTTP_REQUEST_HEADER_FIELDS_TOO_LARGE;
        else if (request.method != "GET" && request.method != "HEAD" && request.method != "POST")
            refusal = MHD_HTTP_NOT_IMPLEMENTED;
        else if (request.Header("Content-Length").toLongLong() > daemon.m_maxBodyBytes)
            refusal = MHD_HTTP_CONTENT_TOO_LARGE;
        if (!refusal)
            return MHD_YES;
        return Refuse(exchange, refusal);
    }

    // The rest of what the client sends cannot be told from a new request:
    // the connection ends after the reply.
    static MHD_Result Refuse(CHttpExchange& exchange, int status)
    {
        exchange.stage = CHttpExchange::Stage::Queued;
        const QByteArray text = status == MHD_HTTP_CONTENT_TOO_LARGE ? "413 Payload Too Large"
                                : status == MHD_HTTP_REQUEST_HEADER_FIELDS_TOO_LARGE
                                    ? "431 Request Header Fields Too Large"
                                    : QByteArray::number(status);
        CHostReply reply = CHostReply::Plain(status, text);
        reply.AddHeader("Connection", "close");
        return Queue(exchange, reply);
    }

    static MHD_Result Queue(CHttpExchange& exchange, const CHostReply& reply)
    {
        MHD_Response* response = reply.fileDescriptor >= 0
                                     ? MHD_create_response_from_fd64(uint64_t(reply.fileSize), reply.fileDescriptor)
                                     : MHD_create_response_from_buffer(size_t(reply.body.size()),
                                                                       const_cast<char*>(reply.body.constData()),
                                                                       MHD_RESPMEM_MUST_COPY);
        if (!response)
            return MHD_NO;
        bool headersOk = true;
        for (const auto& [name, value] : reply.headers)
            headersOk = headersOk && MHD_add_response_header(response, name.constData(), value.constData()) == MHD_YES;
        int status = reply.status;
        if (!headersOk) {
            // A header that would split the reply never leaves the server.
            MHD_destroy_response(response);
            static const char kRefused[] = "500 Internal Server Error";
            response = MHD_create_response_from_buffer(sizeof(kRefused) - 1, const_cast<char*>(kRefused),
                                                       MHD_RESPMEM_PERSISTENT);
            status = MHD_HTTP_INTERNAL_SERVER_ERROR;
        }
        exchange.status = status;
        exchange.bytes = reply.fileDescriptor >= 0 ? reply.fileSize : reply.body.size();
        const MHD_Result queued = MHD_queue_response(exchange.connection, unsigned(status), response);
        MHD_destroy_response(response);
        return queued;
    }

    static MHD_Result OnAccess(void* self, MHD_Connection* connection, const char*, const char* method,
                               const char* version, const char* upload, size_t* uploadSize, void** state)
    {
        auto& daemon = *static_cast<CHttpDaemon*>(self);
        auto* exchange = static_cast<CHttpExchange*>(*state);
        if (!exchange)
            return MHD_NO;
        exchange->connection = connection;
        switch (exchange->stage) {
        case CHttpExchange::Stage::RequestLine:
            return Begin(daemon, *exchange, method, version);
        case CHttpExchange::Stage::Receiving:
            if (*uploadSize > 0) {
                exchange->received += qint64(*uploadSize);
                if (exchange->received > daemon.m_maxBodyBytes)
                    exchange->request.body.clear();
                else
                    exchange->request.body.append(upload, qsizetype(*uploadSize));
                *uploadSize = 0;
                // A body without a length is refused once it has arrived;
                // one that goes on far beyond the limit loses its connection.
                return exchange->received > daemon.m_maxBodyBytes * 2 + 1024 * 1024 ? MHD_NO : MHD_YES;
            }
            if (exchange->received > daemon.m_maxBodyBytes)
                return Refuse(*exchange, MHD_HTTP_CONTENT_TOO_LARGE);
            exchange->stage = CHttpExchange::Stage::Running;
            MHD_suspend_connection(connection);
            daemon.m_handler(exchange, exchange->request);
            return MHD_YES;
        case CHttpExchange::Stage::Answered:
            exchange->stage = CHttpExchange::Stage::Queued;
            return Queue(*exchange, exchange->reply);
        case CHttpExchange::Stage::Queued:
            if (*uploadSize > 0)
                *uploadSize = 0;   // what follows a refusal is dropped
            return MHD_YES;
        case CHttpExchange::Stage::Running:
            return MHD_YES;
        }
        return MHD_NO;
    }

    static void OnCompleted(void* self, MHD_Connection*, void** state, MHD_RequestTerminationCode)
    {
        auto& daemon = *static_cast<CHttpDaemon*>(self);
        auto* exchange = static_cast<CHttpExchange*>(*state);
        if (!exchange)
            return;
        *state = nullptr;
        if (daemon.m_completed && !exchange->request.method.isEmpty())
            daemon.m_completed(exchange->request, exchange->status, exchange->bytes);
        delete exchange;
        daemon.m_inProgress.fetch_sub(1);
    }
};

CHttpDaemon::~CHttpDaemon() { Stop(); }

bool CHttpDaemon::Start(const CHostConfig& config, Handler handler, Completed completed, QString& error)
{
    m_handler = std::move(handler);
    m_completed = std::move(completed);
    m_maxHeaderBytes = config.maxHeaderBytes;
    m_maxBodyBytes = config.maxBodyBytes;
    const QHostAddress listen(config.listen);
    sockaddr_storage address{};
    unsigned int flags = MHD_USE_INTERNAL_POLLING_THREAD | MHD_USE_EPOLL | MHD_ALLOW_SUSPEND_RESUME;
    if (listen.protocol() == QAbstractSocket::IPv6Protocol) {
        auto* v6 = reinterpret_cast<sockaddr_in6*>(&address);
        v6->sin6_family = AF_INET6;
        v6->sin6_port = htons(config.port);
        const Q_IPV6ADDR bytes = listen.toIPv6Address();
        memcpy(&v6->sin6_addr, &bytes, sizeof(bytes));
        flags |= MHD_USE_IPv6;
    } else {
        auto* v4 = reinterpret_cast<sockaddr_in*>(&address);
        v4->sin_family = AF_INET;
        v4->sin_port = htons(config.port);
        v4->sin_addr.s_addr = htonl(listen.toIPv4Address());
    }
    // The pool holds a request's headers and the read and write buffers;
    // libmicrohttpd answers 431 itself when headers overflow it.
    const size_t memory = size_t(config.maxHeaderBytes) * 2 + 16 * 1024;
    m_daemon = MHD_start_daemon(
        flags, config.port, nullptr, nullptr, &CHttpDaemonCallbacks::OnAccess, this, MHD_OPTION_SOCK_ADDR,
        reinterpret_cast<const sockaddr*>(&address), MHD_OPTION_THREAD_POOL_SIZE,
        static_cast<unsigned int>(config.IoThreadCount()), MHD_OPTION_CONNECTION_LIMIT,
        static_cast<unsigned int>(config.maxConnections), MHD_OPTION_PER_IP_CONNECTION_LIMIT,
        static_cast<unsigned int>(config.maxConnectionsPerAddress), MHD_OPTION_CONNECTION_TIMEOUT,
        static_cast<unsigned int>(config.idleTimeoutSeconds), MHD_OPTION_CONNECTION_MEMORY_LIMIT, memory,
        MHD_OPTION_URI_LOG_CALLBACK, &CHttpDaemonCallbacks::OnRequestLine, this, MHD_OPTION_NOTIFY_COMPLETED,
        &CHttpDaemonCallbacks::OnCompleted, this, MHD_OPTION_END);
    if (!m_daemon) {
        // A port another process listens on is refused by the system (no
        // SO_REUSEPORT): two servers sharing a port's traffic unseen is worse
        // than one that does not start.
        error = QStringLiteral("Impossibile ascoltare su %1:%2 (porta già in uso?)").arg(config.listen).arg(config.port);
        return false;
    }
    const MHD_DaemonInfo* info = MHD_get_daemon_info(m_daemon, MHD_DAEMON_INFO_BIND_PORT);
    m_port = info ? info->port : config.port;
    return true;
}

void CHttpDaemon::Finish(CHttpExchange* exchange, CHostReply reply)
{
    exchange->reply = std::move(reply);
    exchange->stage = CHttpExchange::Stage::Answered;
    MHD_resume_connection(exchange->connection);
}

void CHttpDaemon::StopAccepting()
{
    if (!m_daemon)
        return;
    const MHD_socket listening = MHD_quiesce_daemon(m_daemon);
    if (listening != MHD_INVALID_SOCKET)
        ::close(listening);
}

void CHttpDaemon::Stop()
{
    if (m_daemon)
        MHD_stop_daemon(m_daemon);
    m_daemon = nullptr;
}
