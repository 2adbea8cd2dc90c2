#include "server/core/CacheNegozio.h"

#include "platform/ado/CAdoConnection.h"
#include "platform/ado/CAdoRecordset.h"
#include "recordset/schema/QtrDataGeneration.h"

#include <QHash>
#include <QMutex>
#include <QMutexLocker>

#include <atomic>
#include <memory>

namespace {

// A shop's dictionary is the largest of what is kept; past this many
// queries (a page asking for codes that are not there, again and again)
// the shop starts over rather than grow.
constexpr qsizetype kMassimoQuery = 20000;
// No generation could be read (a database without ContatoriID): the page
// reads everything itself.
constexpr qint64 kSenzaGenerazione = -1;

struct Negozio
{
    QMutex mutex;
    qint64 generazione = kSenzaGenerazione;
    QHash<QString, CAdoRecordset::Snapshot> righe;   // query and values -> rows
    QHash<QString, std::shared_ptr<const void>> dati;   // what pages make of the rows
};

struct Registro
{
    QMutex mutex;
    QHash<QString, std::shared_ptr<Negozio>> negozi;   // connection string -> shop
};

Registro& Negozi()
{
    static Registro registro;
    return registro;
}

std::atomic<bool> g_attiva{false};

// Per page thread: which page it runs, and the generation each shop's
// database had when that page first asked.
struct Letture
{
    quint64 pagina = 1;
    QHash<QString, std::pair<quint64, qint64>> generazioni;   // connection string -> (page, generation)
};
thread_local Letture t_letture;

std::shared_ptr<Negozio> NegozioDi(const QString& connessione)
{
    Registro& registro = Negozi();
    QMutexLocker lock(&registro.mutex);
    std::shared_ptr<Negozio>& negozio = registro.negozi[connessione];
    if (!negozio)
        negozio = std::make_shared<Negozio>();
    return negozio;
}

qint64 LeggiGenerazione(CAdoConnection* connessione)
{
    try {
        QSqlQuery& query = connessione->RunPrepared(
            QStringLiteral("SELECT UltimoID FROM ContatoriID WHERE Chiave=?"), {QtrDataGeneration::Key()});
        const qint64 generazione = query.next() ? query.value(0).toLongLong() : 0;
        query.finish();
        return generazione;
    } catch (...) {
        return kSenzaGenerazione;
    }
}

// The generation of the shop's data for the page now running: read at the
// page's first cached query, and the kept rows dropped when they were read
// under another.
qint64 GenerazioneDellaPagina(Negozio& negozio, CAdoConnection* connessione)
{
    auto& vista = t_letture.generazioni[connessione->ConnectionString()];
    if (vista.first == t_letture.pagina)
        return vista.second;
    const qint64 generazione = LeggiGenerazione(connessione);
    vista = {t_letture.pagina, generazione};
    QMutexLocker lock(&negozio.mutex);
    if (negozio.generazione != generazione) {
        negozio.righe.clear();
        negozio.dati.clear();
        negozio.generazione = generazione;
    }
    return generazione;
}

QString Chiave(const QString& sql, const QVariantList& parametri)
{
    QString chiave = sql;
    for (const QVariant& valore : parametri) {
        chiave += QLatin1Char('\x1f') + QString::number(valore.typeId()) + QLatin1Char(':');
        chiave += valore.isNull() ? QStringLiteral("\x1e") : valore.toString();
    }
    return chiave;
}

} // namespace

void CacheNegozio::SetEnabled(bool enabled)
{
    g_attiva = enabled;
}

void CacheNegozio::NuovaPagina()
{
    ++t_letture.pagina;
}

void CacheNegozio::Apri(CAdoRecordset& rs, const QString& sql, CAdoConnection* connection,
                        const QVariantList& parametri)
{
    if (!g_attiva || !connection || !connection->IsOpen()) {
        rs.Open(sql, connection, parametri);
        return;
    }
    const std::shared_ptr<Negozio> negozio = NegozioDi(connection->ConnectionString());
    const qint64 generazione = GenerazioneDellaPagina(*negozio, connection);
    if (generazione == kSenzaGenerazione) {
        rs.Open(sql, connection, parametri);
        return;
    }
    const QString chiave = Chiave(sql, parametri);
    {
        QMutexLocker lock(&negozio->mutex);
        const auto trovate = negozio->righe.constFind(chiave);
        if (negozio->generazione == generazione && trovate != negozio->righe.cend()) {
            rs.OpenSnapshot(*trovate, connection);
            return;
        }
    }
    rs.Open(sql, connection, parametri);
    // Rows read under an older generation than the shop's now are this
    // page's own: another page may already have seen the upload.
    QMutexLocker lock(&negozio->mutex);
    if (negozio->generazione != generazione)
        return;
    if (negozio->righe.size() >= kMassimoQuery)
        negozio->righe.clear();
    negozio->righe.insert(chiave, rs.TakeSnapshot());
}

std::shared_ptr<const void> CacheNegozio::DatoComune(const QString& chiave, CAdoConnection* connection,
                                                     const std::function<std::shared_ptr<const void>()>& leggi)
{
    if (!g_attiva || !connection || !connection->IsOpen())
        return nullptr;
    const std::shared_ptr<Negozio> negozio = NegozioDi(connection->ConnectionString());
    const qint64 generazione = GenerazioneDellaPagina(*negozio, connection);
    if (generazione == kSenzaGenerazione)
        return nullptr;
    {
        QMutexLocker lock(&negozio->mutex);
        const auto trovato = negozio->dati.constFind(chiave);
        if (negozio->generazione == generazione && trovato != negozio->dati.cend())
            return *trovato;
    }
    std::shared_ptr<const void> dato = leggi();
    QMutexLocker lock(&negozio->mutex);
    if (negozio->generazione == generazione)
        negozio->dati.insert(chiave, dato);
    return dato;
}

void CacheNegozio::Svuota()
{
    Registro& registro = Negozi();
    QMutexLocker lock(&registro.mutex);
    registro.negozi.clear();
}
