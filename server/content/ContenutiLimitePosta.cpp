#include "server/content/ContenutiLimitePosta.h"

#include <QDateTime>
#include <QMutexLocker>

namespace {

constexpr qint64 kOraMs = 3600 * 1000;
constexpr int kVociMassime = 20000;

QMutex g_orologioMutex;
std::function<qint64()> g_orologio;

qint64 Adesso()
{
    QMutexLocker lock(&g_orologioMutex);
    return g_orologio ? g_orologio() : QDateTime::currentMSecsSinceEpoch();
}

} // namespace

ContenutiLimitePosta& ContenutiLimitePosta::Negozio()
{
    static ContenutiLimitePosta limite;
    return limite;
}

void ContenutiLimitePosta::ImpostaOrologio(std::function<qint64()> orologio)
{
    QMutexLocker lock(&g_orologioMutex);
    g_orologio = std::move(orologio);
}

bool ContenutiLimitePosta::Consenti(const QString& indirizzo)
{
    const qint64 adesso = Adesso();
    const QString chiave = indirizzo.trimmed().toLower();
    QMutexLocker lock(&m_mutex);
    if (m_invii.size() > kVociMassime) {
        for (auto it = m_invii.begin(); it != m_invii.end();)
            it = it->isEmpty() || it->last() <= adesso - kOraMs ? m_invii.erase(it) : std::next(it);
    }
    QList<qint64>& invii = m_invii[chiave];
    while (!invii.isEmpty() && invii.first() <= adesso - kOraMs)
        invii.removeFirst();
    if (invii.size() >= kPerIndirizzoOra)
        return false;
    invii << adesso;
    return true;
}

void ContenutiLimitePosta::Dimentica()
{
    QMutexLocker lock(&m_mutex);
    m_invii.clear();
}
