#include "server/orders/OrdineRichiesteBanca.h"

#include "platform/ado/CAdoConnection.h"
#include "platform/ado/CAdoRecordset.h"
#include "recordset/schema/ShopSchema.h"
#include "recordset/schema/ShopSchemaDdl.h"
#include "server/core/CAdoSqlSession.h"
#include "server/core/Funzioni.h"
#include "server/orders/OrdineAddebito.h"
#include "server/orders/OrdineImporti.h"

#include <QMutex>
#include <QRegularExpression>
#include <QSet>

#include <stdexcept>

namespace {

constexpr double kLirePerEuro = 1936.27;

QMutex g_mutex;
QSet<QString> g_conTabella;   // connection strings whose database has the record

QList<OrdineImporti::Riga> Righe(CAdoConnection* conn, qint32 idOrdine)
{
    QList<OrdineImporti::Riga> righe;
    CAdoRecordset rs;
    for (rs.Open(QStringLiteral("SELECT Prezzo, Quantita, QuantitaEvasa, Iva FROM OrdiniDettaglio WHERE IDOrdine=? "
                                "ORDER BY ID"),
                 conn, {idOrdine});
         !rs.IsEOF(); rs.MoveNext())
        righe.append(OrdineImporti::RigaDa(rs));
    return righe;
}

OrdineRichiesteBanca::Legame LegameDa(const CAdoRecordset& rs)
{
    OrdineRichiesteBanca::Legame l;
    l.id = rs.Field(QStringLiteral("ID")).toInt();
    l.importo = rs.Field(QStringLiteral("Importo")).toString();
    l.autorizzazione = rs.Field(QStringLiteral("Autorizzazione")).toString();
    l.risposta = rs.Field(QStringLiteral("Risposta")).toString();
    return l;
}

std::optional<OrdineRichiesteBanca::Legame> Primo(CAdoConnection* conn, const QString& sql, const QVariantList& valori)
{
    CAdoRecordset rs;
    rs.Open(sql, conn, valori);
    if (rs.IsEOF())
        return std::nullopt;
    return LegameDa(rs);
}

// An amount text of the bank ("16860", "168.6", "168.60") in hundredths.
std::optional<qint64> Centesimi(const QString& testo)
{
    static const QRegularExpression forma(QStringLiteral("^([0-9]{1,15})(?:\\.([0-9]{1,2}))?$"));
    const QRegularExpressionMatch m = forma.match(testo.trimmed());
    if (!m.hasMatch())
        return std::nullopt;
    return m.captured(1).toLongLong() * 100 + m.captured(2).leftJustified(2, QLatin1Char('0')).toLongLong();
}

} // namespace

OrdineRichiesteBanca::Totale OrdineRichiesteBanca::TotaleOrdine(CAdoConnection* conn, qint32 idOrdine,
                                                                double fcListino2Euro)
{
    CAdoRecordset ordine;
    ordine.Open(QStringLiteral("SELECT * FROM Ordini WHERE ID=?"), conn, {idOrdine});
    if (ordine.IsEOF())
        throw std::runtime_error("Ordine non trovato.");
    Totale t;
    // The total the shopper was shown and charged; only an order stored
    // before the shop kept it is worked out from its lines, as its own
    // pages give it.
    if (const std::optional<OrdineAddebito> addebito = OrdineAddebito::Leggi(ordine, 0.01)) {
        t.centesimi = addebito->totaleInEuro;
        t.lire = Funzioni::Minori(double(addebito->totaleInEuro) / 100 * kLirePerEuro, 1);
        return t;
    }
    const OrdineImporti::Costi costi = OrdineImporti::CostiDa(ordine);
    const QList<OrdineImporti::Riga> righe = Righe(conn, idOrdine);
    // In lire the rate is the fixed one and the unit the whole lira.
    const OrdineImporti::Totali euro = OrdineImporti({fcListino2Euro, 1, 0.01}).CalcolaTotali(righe, costi);
    const OrdineImporti::Totali lire = OrdineImporti({fcListino2Euro, kLirePerEuro, 1}).CalcolaTotali(righe, costi);
    t.centesimi = Funzioni::Minori(euro.totaleOrdinato.inEuro, 0.01);
    t.lire = Funzioni::Minori(lire.totaleOrdinato.valore, 1);
    return t;
}

void OrdineRichiesteBanca::AssicuraTabella(CAdoConnection* conn)
{
    const QString chiave = conn->ConnectionString();
    {
        QMutexLocker lock(&g_mutex);
        if (g_conTabella.contains(chiave))
            return;
    }
    CAdoSqlSession sessione(*conn);
    const QtrTableDef& tabella = *ShopSchema::Find(QStringLiteral("PagamentiCarta"));
    const QStringList istruzioni = sessione.IsPostgres() ? ShopSchemaDdl::PostgresStatements(tabella)
                                                         : ShopSchemaDdl::SqliteStatements(tabella);
    static const QRegularExpression crea(QStringLiteral("^CREATE (TABLE|UNIQUE INDEX|INDEX) "));
    for (QString istruzione : istruzioni)
        sessione.Exec(istruzione.replace(crea, QStringLiteral("CREATE \\1 IF NOT EXISTS ")));
    QMutexLocker lock(&g_mutex);
    g_conTabella.insert(chiave);
}

void OrdineRichiesteBanca::Registra(CAdoConnection* conn, qint32 idOrdine, qint32 idRichiesta, const QString& importo,
                                    const QString& indirizzo, const QDateTime& adesso)
{
    const qint32 id = Funzioni::ProssimoID(QStringLiteral("PagamentiCarta"), conn, true);
    conn->Execute(QStringLiteral("INSERT INTO PagamentiCarta (ID, IDOrdine, IDRichiesta, Importo, Indirizzo, Data) "
                                 "VALUES (?, ?, ?, ?, ?, ?)"),
                  {id, idOrdine, idRichiesta, importo, indirizzo, adesso});
}

int OrdineRichiesteBanca::Richieste(CAdoConnection* conn, qint32 idOrdine)
{
    CAdoRecordset rs;
    rs.Open(QStringLiteral("SELECT COUNT(*) AS N FROM PagamentiCarta WHERE IDOrdine=?"), conn, {idOrdine});
    return rs.Field(QStringLiteral("N")).toInt();
}

int OrdineRichiesteBanca::AltriOrdiniDa(CAdoConnection* conn, const QString& indirizzo, qint32 idOrdine,
                                        const QDateTime& dal)
{
    CAdoRecordset rs;
    rs.Open(QStringLiteral("SELECT COUNT(DISTINCT IDOrdine) AS N FROM PagamentiCarta WHERE Indirizzo=? "
                           "AND IDOrdine<>? AND Data>=?"),
            conn, {indirizzo, idOrdine, dal});
    return rs.Field(QStringLiteral("N")).toInt();
}

std::optional<OrdineRichiesteBanca::Legame> OrdineRichiesteBanca::PerRisposta(CAdoConnection* conn, qint32 idOrdine,
                                                                              const QString& risposta)
{
    return Primo(conn,
                 QStringLiteral("SELECT p.ID AS ID, p.Importo AS Importo, p.Autorizzazione AS Autorizzazione, "
                                "p.Risposta AS Risposta FROM PagamentiCarta p INNER JOIN OTPRisposte r "
                                "ON r.ID=p.IDRichiesta WHERE p.IDOrdine=? AND p.IDRichiesta>0 AND r.Password=?"),
                 {idOrdine, risposta});
}

std::optional<OrdineRichiesteBanca::Legame> OrdineRichiesteBanca::Pagata(CAdoConnection* conn, qint32 idOrdine,
                                                                        const QString& autorizzazione)
{
    return Primo(conn,
                 QStringLiteral("SELECT ID, Importo, Autorizzazione, Risposta FROM PagamentiCarta "
                                "WHERE IDOrdine=? AND Autorizzazione=? AND Autorizzazione<>''"),
                 {idOrdine, autorizzazione});
}

std::optional<OrdineRichiesteBanca::Legame> OrdineRichiesteBanca::UltimaCifrata(CAdoConnection* conn,
                                                                               qint32 idOrdine)
{
    return Primo(conn,
                 QStringLiteral("SELECT TOP 1 ID, Importo, Autorizzazione, Risposta FROM PagamentiCarta "
                                "WHERE IDOrdine=? AND IDRichiesta=0 ORDER BY ID DESC"),
                 {idOrdine});
}

bool OrdineRichiesteBanca::SegnaPagato(CAdoConnection* conn, qint32 idOrdine, const Legame& legame,
                                       const QString& autorizzazione, const QString& risposta)
{
    const int ordini = conn->Execute(
        QStringLiteral("UPDATE Ordini SET AutorizzazioneCartaCredito=?, Modificato=? WHERE ID=? "
                       "AND TipoPagamento='CartaCredito' "
                       "AND (AutorizzazioneCartaCredito IS NULL OR AutorizzazioneCartaCredito='')"),
        {autorizzazione, true, idOrdine});
    if (ordini != 1)
        return false;
    conn->Execute(QStringLiteral("UPDATE PagamentiCarta SET Autorizzazione=?, Risposta=? WHERE ID=?"),
                  {autorizzazione, risposta, legame.id});
    return true;
}

bool OrdineRichiesteBanca::InTransazione(CAdoConnection* conn, const std::function<bool()>& registra)
{
    conn->BeginTrans();
    try {
        if (!registra()) {
            conn->RollbackTrans();
            return false;
        }
        conn->CommitTrans();
        return true;
    } catch (...) {
        conn->RollbackTrans();
        throw;
    }
}

bool OrdineRichiesteBanca::StessoImporto(const QString& a, const QString& b)
{
    const std::optional<qint64> x = Centesimi(a);
    const std::optional<qint64> y = Centesimi(b);
    return x && y && *x == *y;
}
