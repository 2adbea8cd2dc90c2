#pragma once

#include <QHash>
#include <QHostAddress>
#include <QList>
#include <QString>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

// What the daemon keeps of its open connections to stop a few clients from
// taking all of them: a cap on the connections of one address (a trusted
// proxy has none: every visitor comes through it), and a time within which
// a connection must send a request's head. A client that keeps a
// connection alive with a header line now and then, never finishing, is
// closed when its time is up; the connection's socket is shut down under
// it, and the daemon sees it end as any closed connection.
class CConnectionGuard
{
public:
    using Clock = std::chrono::steady_clock;

    CConnectionGuard(int perAddress, const QList<QHostAddress>& uncapped, int headSeconds, int idleSeconds);
    ~CConnectionGuard();
    CConnectionGuard(const CConnectionGuard&) = delete;
    CConnectionGuard& operator=(const CConnectionGuard&) = delete;

    // Whether a new connection from the address may be taken.
    bool MayAccept(const QHostAddress& address) const;
    // A connection (any key the caller names it by) and its socket.
    void Opened(const void* connection, int socket, const QHostAddress& address);
    void Closed(const void* connection);
    // The head of a request has arrived: the connection has no head to
    // wait for until its request ends.
    void HeadArrived(const void* connection);
    // Its request ended: the next head may come after an idle time.
    void RequestEnded(const void* connection);

private:
    struct Open
    {
        int socket = -1;
        QString address;
        Clock::time_point deadline = Clock::time_point::max();
    };

    void Watch();
    void Arm(const void* connection, Clock::time_point deadline);

    const int m_perAddress;
    QList<QHostAddress> m_uncapped;
    const std::chrono::seconds m_head;
    const std::chrono::seconds m_idle;
    mutable std::mutex m_lock;
    std::condition_variable m_wake;
    QHash<const void*, Open> m_open;
    QHash<QString, int> m_perAddressCount;
    bool m_stopping = false;
    std::thread m_watcher;
};
