#include "server/core/QtrTentativiAccesso.h"

#include <QDateTime>

#include <algorithm>

namespace {

QMutex g_orologioMutex;
std::function<qint64()> g_orologio;

qint64 Adesso()
{
    QMutexLocker lock(&g_orologioMutex);
    return g_orologio ? g_orologio() : QDateTime::currentMSecsSinceEpoch();
}

// One table for both kinds of key, apart by their first character.
QString ChiaveIndirizzo(const QString& indirizzo) { return QLatin1Char('A') + indirizzo; }
QString ChiaveUtente(const QString& utente) { return QLatin1Char('U') + utente.toLower(); }

} // namespace

QtrTentativiAccesso::QtrTentativiAccesso(const Regole& regole) : m_regole(regole) {}

QtrTentativiAccesso& QtrTentativiAccesso::Membri()
{
    static QtrTentativiAccesso membri;
    return membri;
}

QtrTentativiAccesso& QtrTentativiAccesso::Sincronizzazione()
{
    static QtrTentativiAccesso sincronizzazione;
    return sincronizzazione;
}

void QtrTentativiAccesso::ImpostaOrologio(std::function<qint64()> orologio)
{
    QMutexLocker lock(&g_orologioMutex);
    g_orologio = std::move(orologio);
}

bool QtrTentativiAccesso::SospesoVoce(const QString& chiave, qint64 adesso) const
{
    const auto it = m_voci.constFind(chiave);
    return it != m_voci.constEnd() && it->sospesoFino > adesso;
}

bool QtrTentativiAccesso::Sospeso(const QString& indirizzo, const QString& utente) const
{
    const qint64 adesso = Adesso();
    QMutexLocker lock(&m_mutex);
    return SospesoVoce(ChiaveIndirizzo(indirizzo), adesso) || SospesoVoce(ChiaveUtente(utente), adesso);
}

void QtrTentativiAccesso::Conta(const QString& chiave, int liberi, qint64 adesso)
{
    Voce& voce = m_voci[chiave];
    if (adesso - voce.ultimo > m_regole.oblioMs)
        voce.fallimenti = 0;
    ++voce.fallimenti;
    voce.ultimo = adesso;
    const int oltre = voce.fallimenti - liberi;
    if (oltre >= 0) {
        const qint64 pausa = std::min(m_regole.pausaMassimaMs, m_regole.primaPausaMs << std::min(oltre, 30));
        voce.sospesoFino = adesso + pausa;
    }
}

void QtrTentativiAccesso::Fallito(const QString& indirizzo, const QString& utente)
{
    const qint64 adesso = Adesso();
    QMutexLocker lock(&m_mutex);
    if (m_voci.size() >= m_regole.voci)
        Sfoltisci(adesso);
    if (!indirizzo.isEmpty())
        Conta(ChiaveIndirizzo(indirizzo), m_regole.liberiIndirizzo, adesso);
    Conta(ChiaveUtente(utente), m_regole.liberiUtente, adesso);
}

void QtrTentativiAccesso::Riuscito(const QString& utente)
{
    QMutexLocker lock(&m_mutex);
    m_voci.remove(ChiaveUtente(utente));
}

void QtrTentativiAccesso::Dimentica()
{
    QMutexLocker lock(&m_mutex);
    m_voci.clear();
}

// Drops what is forgotten anyway; when the table is still full, the
// entries that are not shut out go before those that are.
void QtrTentativiAccesso::Sfoltisci(qint64 adesso)
{
    for (auto it = m_voci.begin(); it != m_voci.end();)
        it = adesso - it->ultimo > m_regole.oblioMs ? m_voci.erase(it) : std::next(it);
    for (auto it = m_voci.begin(); it != m_voci.end() && m_voci.size() >= m_regole.voci;)
        it = it->sospesoFino <= adesso ? m_voci.erase(it) : std::next(it);
    if (m_voci.size() >= m_regole.voci)
        m_voci.clear();
}
