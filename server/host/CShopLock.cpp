#include "server/host/CShopLock.h"

#include <QByteArray>
#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

CShopLock::~CShopLock()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool CShopLock::Take(const QString& shopName, const QString& dbFolder, QString& error)
{
    const QString path = QDir(dbFolder).filePath(QLatin1String(kFileName));
    const QByteArray file = QFile::encodeName(path);
    const int fd = ::open(file.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
        error = QStringLiteral("Impossibile creare %1: %2").arg(path, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        char holder[32] = {};
        const ssize_t read = ::pread(fd, holder, sizeof(holder) - 1, 0);
        ::close(fd);
        error = QStringLiteral("Il negozio %1 è già servito da un altro processo qtr50d (pid %2, %3)")
                    .arg(shopName, QString::fromLatin1(holder, read > 0 ? int(read) : 0).trimmed(), path);
        return false;
    }
    // Who holds it, for the message of the process that is refused.
    const QByteArray pid = QByteArray::number(qint64(::getpid())) + '\n';
    // The lock holds without the note when it cannot be written.
    if (::ftruncate(fd, 0) == 0)
        (void)!::pwrite(fd, pid.constData(), size_t(pid.size()), 0);
    m_fd = fd;
    return true;
}
