#include "server/host/CConnectionGuard.h"

#include <sys/socket.h>

CConnectionGuard::CConnectionGuard(int perAddress, const QList<QHostAddress>& uncapped, int headSeconds,
                                   int idleSeconds)
    : m_perAddress(perAddress), m_uncapped(uncapped), m_head(headSeconds), m_idle(idleSeconds),
      m_watcher([this] { Watch(); })
{
}

CConnectionGuard::~CConnectionGuard()
{
    {
        std::lock_guard lock(m_lock);
        m_stopping = true;
    }
    m_wake.notify_all();
    m_watcher.join();
}

bool CConnectionGuard::MayAccept(const QHostAddress& address) const
{
    if (m_perAddress <= 0 || m_uncapped.contains(address))
        return true;
    std::lock_guard lock(m_lock);
    return m_perAddressCount.value(address.toString()) < m_perAddress;
}

void CConnectionGuard::Opened(const void* connection, int socket, const QHostAddress& address)
{
    std::lock_guard lock(m_lock);
    Open open;
    open.socket = socket;
    open.address = address.toString();
    open.deadline = Clock::now() + m_head;
    m_open.insert(connection, open);
    ++m_perAddressCount[open.address];
}

// The daemon closes the socket only after telling, so a socket the watcher
// shuts down under the lock is still this connection's.
void CConnectionGuard::Closed(const void* connection)
{
    std::lock_guard lock(m_lock);
    const auto found = m_open.find(connection);
    if (found == m_open.end())
        return;
    const auto count = m_perAddressCount.find(found->address);
    if (count != m_perAddressCount.end() && --*count <= 0)
        m_perAddressCount.erase(count);
    m_open.erase(found);
}

void CConnectionGuard::HeadArrived(const void* connection) { Arm(connection, Clock::time_point::max()); }

void CConnectionGuard::RequestEnded(const void* connection) { Arm(connection, Clock::now() + m_idle + m_head); }

void CConnectionGuard::Arm(const void* connection, Clock::time_point deadline)
{
    std::lock_guard lock(m_lock);
    const auto found = m_open.find(connection);
    if (found != m_open.end())
        found->deadline = deadline;
}

void CConnectionGuard::Watch()
{
    std::unique_lock lock(m_lock);
    while (!m_stopping) {
        m_wake.wait_for(lock, std::chrono::milliseconds(250));
        const Clock::time_point now = Clock::now();
        for (auto it = m_open.begin(); it != m_open.end(); ++it) {
            if (it->deadline > now)
                continue;
            ::shutdown(it->socket, SHUT_RDWR);
            it->deadline = Clock::time_point::max();
        }
    }
}
