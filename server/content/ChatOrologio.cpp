#include "server/content/ChatOrologio.h"

#include <QMutex>
#include <QMutexLocker>

namespace {

QMutex g_mutex;
std::function<QDateTime()> g_orologio;

} // namespace

QDateTime ChatOrologio::Adesso()
{
    QMutexLocker lock(&g_mutex);
    return g_orologio ? g_orologio() : QDateTime::currentDateTime();
}

qint64 ChatOrologio::Secondi(const QDateTime& momento)
{
    static const QDateTime inizio(QDate(2002, 12, 1), QTime(0, 0));
    // Wall-clock seconds, as a local date and time reads them.
    const qint64 giorni = inizio.date().daysTo(momento.date());
    return giorni * 86400 + QTime(0, 0).secsTo(momento.time());
}

void ChatOrologio::Imposta(std::function<QDateTime()> orologio)
{
    QMutexLocker lock(&g_mutex);
    g_orologio = std::move(orologio);
}
