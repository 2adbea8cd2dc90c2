#include "server/host/CHttpDaemon.h"

#include "server/host/CConnectionGuard.h"
#include "server/host/CHostConfig.h"

#include <QHostAddress>

#include <arpa/inet.h>
#include <cstring>
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
    qint64 bodyLimit = 0;
    qint64 received = 0;
    int status = 0;
    qint64 bytes = 0;
};

// What a connection holds between its requests: the exchange of a request
// whose line has come, until libmicrohttpd says the request ended. A
// request it drops before asking for an answer (a head it could not parse)
// never ends that way: the connection's close lets it go.
struct CHttpConnectionState
{
    CHttpExchange* pending = nullptr;
};

struct CHttpDaemonCallbacks
{
    static CHttpConnectionState* StateOf(MHD_Connection* connection)
    {
        const MHD_ConnectionInfo* info = MHD_get_connection_info(connection, MHD_CONNECTION_INFO_SOCKET_CONTEXT);
        return info ? static_cast<CHttpConnectionState*>(info->socket_context) : nullptr;
    }

    static void* OnRequestLine(void* self, const char* uri, MHD_Connection* connection)
    {
        auto* daemon = static_cast<CHttpDaemon*>(self);
        auto* exchange = new CHttpExchange;
        exchange->daemon = daemon;
        exchange->connection = connection;
        exchange->request.target = QByteArray(uri);
        ForgoQueryValues(uri);
        exchange->request.serverPort = daemon->m_port;
        if (CHttpConnectionState* state = StateOf(connection)) {
            delete state->pending;
            state->pending = exchange;
        }
        return exchange;
    }

    // The page host reads the query from the target kept above; the
    // library's own record of each query value (some 56 bytes apiece, from
    // the connection's memory) would serve nothing. The library calls this
    // with the request line in its own buffer and splits the values off
    // after it returns, starting after the "?": ending the text there leaves
    // it none to split, so the connection's memory holds only the head and
    // its headers whatever the query. (A library that split them before the
    // call would hand over the target without its query, which the tests of
    // the page's query catch.)
    static void ForgoQueryValues(const char* uri)
    {
        if (char* question = const_cast<char*>(std::strchr(uri, '?')))
            question[1] = '\0';
    }

    static MHD_Result AddHeader(void* into, MHD_ValueKind, const char* key, const char* value)
    {
        static_cast<CHostRequest*>(into)->headers.append({QByteArray(key), QByteArray(value ? value : "")});
        return MHD_YES;
    }

    // An IPv4 peer of an IPv6 socket as the IPv4 address it is.
    static QHostAddress Address(const sockaddr* socketAddress)
    {
        if (!socketAddress)
            return QHostAddress();
        QHostAddress address(socketAddress);
        bool mapped = false;
        const quint32 v4 = address.toIPv4Address(&mapped);
        return mapped ? QHostAddress(v4) : address;
    }

    static QString PeerAddress(MHD_Connection* connection)
    {
        const MHD_ConnectionInfo* info = MHD_get_connection_info(connection, MHD_CONNECTION_INFO_CLIENT_ADDRESS);
        return info ? Address(info->client_addr).toString() : QString();
    }

    static MHD_Result MayAccept(void* self, const sockaddr* address, socklen_t)
    {
        const auto& daemon = *static_cast<CHttpDaemon*>(self);
        return daemon.m_guard->MayAccept(Address(address)) ? MHD_YES : MHD_NO;
    }

    static void OnConnection(void* self, MHD_Connection* connection, void** context,
                             MHD_ConnectionNotificationCode code)
    {
        auto& daemon = *static_cast<CHttpDaemon*>(self);
        if (code == MHD_CONNECTION_NOTIFY_CLOSED) {
            daemon.m_guard->Closed(connection);
            auto* state = static_cast<CHttpConnectionState*>(*context);
            if (state)
                delete state->pending;
            delete state;
            *context = nullptr;
            return;
        }
        *context = new CHttpConnectionState;
        const MHD_ConnectionInfo* socket = MHD_get_connection_info(connection, MHD_CONNECTION_INFO_CONNECTION_FD);
        const MHD_ConnectionInfo* peer = MHD_get_connection_info(connection, MHD_CONNECTION_INFO_CLIENT_ADDRESS);
        if (socket && peer)
            daemon.m_guard->Opened(connection, socket->connect_fd, Address(peer->client_addr));
    }

    // A request whose end could be read two ways (by its length, by its
    // chunks, by one of two lengths) is one a proxy in front may read
    // otherwise: what it takes for the body we could take for a request.
    static bool IsFramingAmbiguous(const CHostRequest& request)
    {
        QList<QByteArray> lengths;
        int encodings = 0;
        for (const auto& [key, value] : request.headers) {
            if (key.contains(' ') || key.contains('\t'))
                return true;
            if (key.compare("Content-Length", Qt::CaseInsensitive) == 0)
                lengths.append(value.trimmed());
            else if (key.compare("Transfer-Encoding", Qt::CaseInsensitive) == 0) {
                ++encodings;
                if (value.trimmed().compare("chunked", Qt::CaseInsensitive) != 0)
                    return true;
            }
        }
        if (encodings > 1 || (encodings == 1 && !lengths.isEmpty()))
            return true;
        for (const QByteArray& length : lengths) {
            if (length != lengths.first() || length.isEmpty())
                return true;
            for (const char c : length)
                if (c < '0' || c > '9')
                    return true;
        }
        return false;
    }

    // The first call of a request: its headers are all there.
    static MHD_Result Begin(CHttpDaemon& daemon, CHttpExchange& exchange, const char* method, const char* version)
    {
        CHostRequest& request = exchange.request;
        request.method = method;
        request.version = version;
        request.peerAddress = PeerAddress(exchange.connection);
        MHD_get_connection_values(exchange.connection, MHD_HEADER_KIND, &AddHeader, &request);
        daemon.m_guard->HeadArrived(exchange.connection);
        daemon.m_inProgress.fetch_add(1);
        exchange.stage = CHttpExchange::Stage::Receiving;
        exchange.bodyLimit = daemon.m_bodyLimit ? daemon.m_bodyLimit(request.target) : daemon.m_maxBodyBytes;
        qint64 headerBytes = request.target.size() + 16;
        for (const auto& [key, value] : request.headers)
            headerBytes += key.size() + value.size() + 4;
        int refusal = 0;
        if (IsFramingAmbiguous(request))
            refusal = MHD_HTTP_BAD_REQUEST;
        else if (headerBytes > daemon.m_maxHeaderBytes)
            refusal = MHD_HTTP_REQUEST_HEADER_FIELDS_TOO_LARGE;
        else if (request.method != "GET" && request.method != "HEAD" && request.method != "POST")
            refusal = MHD_HTTP_NOT_IMPLEMENTED;
        else if (request.Header("Content-Length").toLongLong() > exchange.bodyLimit)
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
                                : status == MHD_HTTP_BAD_REQUEST ? "400 Bad Request"
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
                if (exchange->received > exchange->bodyLimit)
                    exchange->request.body.clear();
                else
                    exchange->request.body.append(upload, qsizetype(*uploadSize));
                *uploadSize = 0;
                // A body without a length is refused once it has arrived;
                // one that goes on far beyond the limit loses its connection.
                return exchange->received > exchange->bodyLimit * 2 + 1024 * 1024 ? MHD_NO : MHD_YES;
            }
            if (exchange->received > exchange->bodyLimit)
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

    static void OnCompleted(void* self, MHD_Connection* connection, void** state, MHD_RequestTerminationCode)
    {
        auto& daemon = *static_cast<CHttpDaemon*>(self);
        daemon.m_guard->RequestEnded(connection);
        auto* exchange = static_cast<CHttpExchange*>(*state);
        if (!exchange)
            return;
        *state = nullptr;
        if (CHttpConnectionState* open = StateOf(connection); open && open->pending == exchange)
            open->pending = nullptr;
        if (daemon.m_completed && !exchange->request.method.isEmpty())
            daemon.m_completed(exchange->request, exchange->status, exchange->bytes);
        // Counted from its first answer call, which sets the method.
        if (!exchange->request.method.isEmpty())
            daemon.m_inProgress.fetch_sub(1);
        delete exchange;
    }
};

CHttpDaemon::CHttpDaemon() = default;

CHttpDaemon::~CHttpDaemon() { Stop(); }

bool CHttpDaemon::Start(const CHostConfig& config, Handler handler, Completed completed, QString& error)
{
    m_handler = std::move(handler);
    m_completed = std::move(completed);
    m_maxHeaderBytes = config.maxHeaderBytes;
    m_maxBodyBytes = config.maxBodyBytes;
    m_guard = std::make_unique<CConnectionGuard>(config.maxConnectionsPerAddress, config.trustedProxies,
                                                 config.headerTimeoutSeconds, config.idleTimeoutSeconds);
    const QHostAddress listen(config.listen);
    sockaddr_storage address{};
    // poll, not epoll: with epoll this libmicrohttpd missed a client's close
    // that came with its last bytes, and the connection kept its slot until
    // the idle timeout.
    unsigned int flags = MHD_USE_INTERNAL_POLLING_THREAD | MHD_USE_POLL | MHD_ALLOW_SUSPEND_RESUME;
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
    // The pool holds a request's head, the read and write buffers, and a
    // record (some 56 bytes) for every header: a head of n bytes has up to
    // n / 3 of them ("a:" and a bare line end), under 19 n bytes. Query
    // values take none (ForgoQueryValues). A pool they overflowed left the
    // request unanswered. The library clears the whole pool after every
    // request of a kept-alive connection, so its size is paid on each
    // request: at 66 n (when every byte of a query could be a record) that
    // was 1.1 MB cleared a page.
    const size_t memory = size_t(config.maxHeaderBytes) * (2 + 19) + 16 * 1024;
    m_daemon = MHD_start_daemon(
        flags, config.port, &CHttpDaemonCallbacks::MayAccept, this, &CHttpDaemonCallbacks::OnAccess, this,
        MHD_OPTION_SOCK_ADDR,
        reinterpret_cast<const sockaddr*>(&address), MHD_OPTION_THREAD_POOL_SIZE,
        static_cast<unsigned int>(config.IoThreadCount()), MHD_OPTION_CONNECTION_LIMIT,
        static_cast<unsigned int>(config.maxConnections), MHD_OPTION_CONNECTION_TIMEOUT,
        static_cast<unsigned int>(config.idleTimeoutSeconds), MHD_OPTION_CONNECTION_MEMORY_LIMIT, memory,
        MHD_OPTION_URI_LOG_CALLBACK, &CHttpDaemonCallbacks::OnRequestLine, this, MHD_OPTION_NOTIFY_COMPLETED,
        &CHttpDaemonCallbacks::OnCompleted, this, MHD_OPTION_NOTIFY_CONNECTION, &CHttpDaemonCallbacks::OnConnection,
        this, MHD_OPTION_END);
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
    m_guard.reset();
}
