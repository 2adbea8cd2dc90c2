#pragma once

#include <QString>

// A SQLite shop is served by one process only: its Sessions and its
// Application live in this process's memory and files, so a second process
// on the same shop would answer visitors from a different state (and a
// stale one would go on accepting uploads into a folder nobody reads). The
// lock is an flock on a file in the shop's db folder, held while the
// process lives and let go by the system when it ends, however it ends.
class CShopLock
{
public:
    CShopLock() = default;
    ~CShopLock();
    CShopLock(const CShopLock&) = delete;
    CShopLock& operator=(const CShopLock&) = delete;

    static constexpr const char* kFileName = "qtr50d.lock";

    // False with the reason when another process holds the shop or the
    // file cannot be made.
    bool Take(const QString& shopName, const QString& dbFolder, QString& error);

private:
    int m_fd = -1;
};
