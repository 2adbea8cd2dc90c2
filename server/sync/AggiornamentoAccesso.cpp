#include "server/sync/AggiornamentoAccesso.h"

#include "platform/ado/CAdoConnection.h"
#include "platform/password/CPasswordHash.h"
#include "recordset/sync/SyncProtocol.h"
#include "server/core/QtrTentativiAccesso.h"

#include <QDeadlineTimer>
#include <QHash>
#include <QMutex>
#include <QSqlQuery>

#include <sodium.h>

namespace {

constexpr qint64 kValiditaMs = 60 * 1000;
constexpr int kMassimoRicordi = 4096;

QMutex g_mutex;
QHash<QByteArray, qint64> g_ricordi;   // digest -> expiry (ms since epoch)
unsigned char g_chiave[crypto_generichash_KEYBYTES];
bool g_chiavePronta = false;

qint64 Adesso() { return QDateTime::currentMSecsSinceEpoch(); }

} // namespace

// Guessing is slowed by pausing the address and the account after failed
// logins (a paused login is refused at once, unchecked, and holds no page
// thread); an unknown account costs the same hash check as a known one.
AggiornamentoAccesso::Esito AggiornamentoAccesso::Controlla(CAdoConnection& host, const QString& codiceUtente,
                                                            const QString& password, const QString& indirizzo)
{
    Esito esito;
    QtrTentativiAccesso& tentativi = QtrTentativiAccesso::Sincronizzazione();
    if (tentativi.Sospeso(indirizzo, codiceUtente)) {
        esito.errore = QString(SyncProtocol::kWrongPassword);
        return esito;
    }
    QSqlQuery query = host.Run(QStringLiteral("SELECT Password, Directory FROM Utenti WHERE CodiceUtente=?"),
                               {codiceUtente});
    const bool trovato = !codiceUtente.isEmpty() && query.next();
    const QString hash = trovato ? query.value(0).toString() : QString();
    const QByteArray impronta = Impronta(codiceUtente, password, hash);
    const bool ricordato = trovato && Ricorda(impronta);
    const bool valido = ricordato || (trovato && CPasswordHash::Verify(hash, password));
    if (!trovato)
        CPasswordHash::Verify(QString(), password);
    if (!valido) {
        tentativi.Fallito(indirizzo, codiceUtente);
        esito.errore = QString(trovato ? SyncProtocol::kWrongPassword : SyncProtocol::kUnknownAccount);
        return esito;
    }
    tentativi.Riuscito(codiceUtente);
    if (!ricordato)
        Memorizza(impronta);
    esito.riuscito = true;
    esito.cartella = query.value(1).toString();
    return esito;
}

void AggiornamentoAccesso::Dimentica()
{
    QMutexLocker lock(&g_mutex);
    g_ricordi.clear();
}

QByteArray AggiornamentoAccesso::Impronta(const QString& codiceUtente, const QString& password, const QString& hash)
{
    {
        QMutexLocker lock(&g_mutex);
        if (!g_chiavePronta) {
            if (sodium_init() < 0)
                throw std::runtime_error("libsodium non inizializzata");
            randombytes_buf(g_chiave, sizeof g_chiave);
            g_chiavePronta = true;
        }
    }
    QByteArray dati = codiceUtente.toUtf8();
    dati += '\0';
    dati += password.toUtf8();
    dati += '\0';
    dati += hash.toUtf8();
    QByteArray out(crypto_generichash_BYTES, Qt::Uninitialized);
    crypto_generichash(reinterpret_cast<unsigned char*>(out.data()), out.size(),
                       reinterpret_cast<const unsigned char*>(dati.constData()), dati.size(), g_chiave,
                       sizeof g_chiave);
    sodium_memzero(dati.data(), dati.size());
    return out;
}

bool AggiornamentoAccesso::Ricorda(const QByteArray& impronta)
{
    QMutexLocker lock(&g_mutex);
    const auto it = g_ricordi.constFind(impronta);
    return it != g_ricordi.constEnd() && it.value() > Adesso();
}

void AggiornamentoAccesso::Memorizza(const QByteArray& impronta)
{
    QMutexLocker lock(&g_mutex);
    const qint64 adesso = Adesso();
    if (g_ricordi.size() >= kMassimoRicordi) {
        for (auto it = g_ricordi.begin(); it != g_ricordi.end();)
            it = it.value() <= adesso ? g_ricordi.erase(it) : std::next(it);
        if (g_ricordi.size() >= kMassimoRicordi)
            g_ricordi.clear();
    }
    g_ricordi.insert(impronta, adesso + kValiditaMs);
}
