#pragma once

#include "server/host/CHostReply.h"
#include "server/host/CHostRequest.h"

#include <QString>

#include <atomic>
#include <functional>
#include <memory>

struct CHostConfig;
struct MHD_Connection;
struct MHD_Daemon;
class CHttpExchange;
class CConnectionGuard;

// HTTP/1.1 with keep-alive over libmicrohttpd: a few connection threads
// read requests and send replies, never running a page. A whole request
// (headers within their limit, the body within its limit) goes to the
// handler, which answers through Finish from any thread; the connection
// waits suspended meanwhile, so a slow client holds no page worker.
class CHttpDaemon
{
public:
    // Called once per complete request, on a connection thread; the handler
    // must call Finish exactly once for the exchange, on any thread.
    using Handler = std::function<void(CHttpExchange* exchange, const CHostRequest& request)>;
    // Called when a request ends: what was asked, the status and body
    // size sent (for the access log).
    using Completed = std::function<void(const CHostRequest& request, int status, qint64 bytes)>;

    // The largest body a request for the target (path and query, as sent)
    // may carry.
    using BodyLimit = std::function<qint64(const QByteArray& target)>;

    CHttpDaemon();
    ~CHttpDaemon();
    CHttpDaemon(const CHttpDaemon&) = delete;
    CHttpDaemon& operator=(const CHttpDaemon&) = delete;

    bool Start(const CHostConfig& config, Handler handler, Completed completed, QString& error);
    // Before Start; without it every body has the configuration's
    // max_body_bytes.
    void SetBodyLimit(BodyLimit limit) { m_bodyLimit = std::move(limit); }
    quint16 Port() const { return m_port; }

    static void Finish(CHttpExchange* exchange, CHostReply reply);

    // Stops taking connections; the ones open go on being served.
    void StopAccepting();
    // Requests received and not yet answered.
    int InProgress() const { return m_inProgress.load(); }
    void Stop();

private:
    friend struct CHttpDaemonCallbacks;

    MHD_Daemon* m_daemon = nullptr;
    Handler m_handler;
    Completed m_completed;
    BodyLimit m_bodyLimit;
    std::unique_ptr<CConnectionGuard> m_guard;
    quint16 m_port = 0;
    int m_maxHeaderBytes = 0;
    qint64 m_maxBodyBytes = 0;
    std::atomic<int> m_inProgress{0};
};
