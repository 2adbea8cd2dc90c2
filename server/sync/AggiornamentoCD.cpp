#include "server/sync/AggiornamentoCD.h"

#include "platform/ado/CAdoConnection.h"
#include "recordset/QtrCredentials.h"
#include "recordset/schema/QtrIdAllocator.h"
#include "recordset/schema/ShopSchema.h"
#include "recordset/schema/ShopSchemaDdl.h"
#include "recordset/sync/CSyncTags.h"
#include "recordset/sync/CSyncValueText.h"
#include "recordset/sync/SyncProtocol.h"
#include "server/core/CAdoSqlSession.h"
#include "server/sync/AggiornamentoRecord.h"

#include <QCryptographicHash>
#include <QFile>
#include <QRegularExpression>
#include <QSqlQuery>

#include <stdexcept>

namespace {

[[noreturn]] void Rifiuta(const QString& motivo) { throw std::invalid_argument(motivo.toStdString()); }

// Tables the CD never carries: answered "EOF" whatever they hold.
const QStringList kMaiSulCD = {
    "DefinizioneCampiCustom", "InterventiForum", "InterventiChat", "OTPRichieste", "OTPRisposte",
    "ProgressivoVersioneRecord", "RecordsEliminati", "StatoOrdini", "StatoOrdiniLingue", "UtentiChat",
    "PagamentiCarta", "CredenzialiCD"};

// The customers of the request: C, with u bound once per use.
const QString kInsieme = QStringLiteral("EXISTS (SELECT 1 FROM Clienti C WHERE (C.ID=:u OR C.IDAgente=:u) AND %1)");

// Record `record` of `kind` is hidden from customer C.
QString Nascosto(int kind, const QString& record)
{
    return QStringLiteral("EXISTS (SELECT 1 FROM Permessi P WHERE P.Tipo=%1 AND P.IDRecord=%2 AND "
                          "(P.IDGruppo=C.IDGruppo OR P.IDUtente=C.ID))")
        .arg(kind)
        .arg(record);
}

// Product `p` lies in a category not hidden from C and is not hidden itself.
QString ProdottoVisibile(const QString& p)
{
    return QStringLiteral("EXISTS (SELECT 1 FROM CategorieProdotti CP WHERE CP.IDProdotto=%1 AND NOT %2) AND NOT %3")
        .arg(p, Nascosto(0, QStringLiteral("CP.IDCategoria")), Nascosto(1, p));
}

QString ArticoloVisibile(const QString& a)
{
    return QStringLiteral("EXISTS (SELECT 1 FROM SezioniArticoli SA WHERE SA.IDArticolo=%1 AND NOT %2) AND NOT %3")
        .arg(a, Nascosto(2, QStringLiteral("SA.IDSezione")), Nascosto(3, a));
}

QString PerUnCliente(const QString& condizione) { return kInsieme.arg(condizione); }

// Binds every ":u" of the text to the customer, in order.
QPair<QString, QVariantList> Lega(QString sql, qint32 idUtente)
{
    QVariantList parametri;
    int at = 0;
    while ((at = sql.indexOf(QStringLiteral(":u"), at)) >= 0) {
        sql.replace(at, 2, QStringLiteral("?"));
        parametri.append(idUtente);
    }
    return {sql, parametri};
}

const QtrTableDef& TabellaCD(const QString& nome)
{
    const QtrTableDef& tabella = AggiornamentoRecord::Tabella(nome);
    if (tabella.ColumnIndex(QStringLiteral("VersioneRecord")) < 0)
        Rifiuta(QStringLiteral("Tabella sconosciuta: %1").arg(nome));
    return tabella;
}

qint64 Versione(const QString& testo)
{
    bool ok = false;
    const qint64 v = testo.trimmed().isEmpty() ? 0 : testo.trimmed().toLongLong(&ok);
    if (!testo.trimmed().isEmpty() && (!ok || v < 0))
        Rifiuta(QStringLiteral("Versione non valida: %1").arg(testo));
    return v;
}

} // namespace

AggiornamentoCD::AggiornamentoCD(CAdoConnection& db) : m_db(db) {}

QString AggiornamentoCD::Impronta(const QString& credenziale)
{
    return QString::fromLatin1(QCryptographicHash::hash(credenziale.toUtf8(), QCryptographicHash::Sha256).toHex());
}

void AggiornamentoCD::AssicuraTabella(CAdoConnection& db)
{
    CAdoSqlSession sessione(db);
    const QtrTableDef& tabella = *ShopSchema::Find(QStringLiteral("CredenzialiCD"));
    static const QRegularExpression crea(QStringLiteral("^CREATE (TABLE|UNIQUE INDEX|INDEX) "));
    for (QString istruzione : sessione.IsPostgres() ? ShopSchemaDdl::PostgresStatements(tabella)
                                                    : ShopSchemaDdl::SqliteStatements(tabella))
        sessione.Exec(istruzione.replace(crea, QStringLiteral("CREATE \\1 IF NOT EXISTS ")));
}

bool AggiornamentoCD::ControlloCredenziale(qint32 idUtente, const QString& credenziale)
{
    if (credenziale.size() < 16)
        return false;
    AssicuraTabella(m_db);
    QSqlQuery riga = m_db.Run(QStringLiteral("SELECT COUNT(*) FROM CredenzialiCD WHERE IDCliente=? AND Impronta=?"),
                              {idUtente, Impronta(credenziale)});
    return riga.next() && riga.value(0).toLongLong() > 0;
}

QString AggiornamentoCD::Visibile(const QString& tabella)
{
    if (tabella == QLatin1String("Clienti"))
        return QStringLiteral("(T.ID=:u OR T.IDAgente=:u)");
    if (tabella == QLatin1String("Gruppi"))
        return PerUnCliente(QStringLiteral("C.IDGruppo=T.ID"));
    if (tabella == QLatin1String("InteressiUtenti"))
        return PerUnCliente(QStringLiteral("C.ID=T.IDUtente"));
    if (tabella == QLatin1String("Ordini"))
        return PerUnCliente(QStringLiteral("C.ID=T.IDCliente"));
    if (tabella == QLatin1String("OrdiniDettaglio"))
        return PerUnCliente(QStringLiteral("C.ID=(SELECT O.IDCliente FROM Ordini O WHERE O.ID=T.IDOrdine)"));
    if (tabella == QLatin1String("Permessi"))
        return PerUnCliente(QStringLiteral("(T.IDUtente=C.ID OR T.IDGruppo=C.IDGruppo)"));
    if (tabella == QLatin1String("Prodotti"))
        return PerUnCliente(ProdottoVisibile(QStringLiteral("T.ID")));
    if (tabella == QLatin1String("ProdottiColori") || tabella == QLatin1String("ProdottiLingue"))
        return PerUnCliente(ProdottoVisibile(QStringLiteral("T.IDProdotto")));
    if (tabella == QLatin1String("ProdottiCorrelati"))
        return PerUnCliente(ProdottoVisibile(QStringLiteral("T.IDProdottoBase")) + QStringLiteral(" AND ")
                            + ProdottoVisibile(QStringLiteral("T.IDProdottoCorrelato")));
    if (tabella == QLatin1String("Categorie"))
        return PerUnCliente(QStringLiteral("NOT ") + Nascosto(0, QStringLiteral("T.ID")));
    if (tabella == QLatin1String("CategorieLingue"))
        return PerUnCliente(QStringLiteral("NOT ") + Nascosto(0, QStringLiteral("T.IDCategoria")));
    if (tabella == QLatin1String("CategorieProdotti") || tabella == QLatin1String("ScontiProdotto")) {
        QString c = QStringLiteral("NOT %1 AND NOT %2")
                        .arg(Nascosto(0, QStringLiteral("T.IDCategoria")), Nascosto(1, QStringLiteral("T.IDProdotto")));
        // A discount also belongs to the customer or the group it names.
        if (tabella == QLatin1String("ScontiProdotto"))
            c += QStringLiteral(" AND (T.IDUtente=C.ID OR T.IDGruppo=C.IDGruppo)");
        return PerUnCliente(c);
    }
    if (tabella == QLatin1String("Articoli"))
        return PerUnCliente(ArticoloVisibile(QStringLiteral("T.ID")));
    if (tabella == QLatin1String("ArticoliLingue") || tabella == QLatin1String("ArticoliFiles")
        || tabella == QLatin1String("ArticoliLink"))
        return PerUnCliente(ArticoloVisibile(QStringLiteral("T.IDArticolo")));
    if (tabella == QLatin1String("ArticoliFilesLingue"))
        return PerUnCliente(ArticoloVisibile(QStringLiteral("(SELECT AF.IDArticolo FROM ArticoliFiles AF WHERE AF.ID=T.IDFiles)")));
    if (tabella == QLatin1String("ArticoliLinkLingue"))
        return PerUnCliente(ArticoloVisibile(QStringLiteral("(SELECT AL.IDArticolo FROM ArticoliLink AL WHERE AL.ID=T.IDLink)")));
    if (tabella == QLatin1String("Sezioni"))
        return PerUnCliente(QStringLiteral("NOT ") + Nascosto(2, QStringLiteral("T.ID")));
    if (tabella == QLatin1String("SezioniLingue"))
        return PerUnCliente(QStringLiteral("NOT ") + Nascosto(2, QStringLiteral("T.IDSezione")));
    if (tabella == QLatin1String("SezioniArticoli"))
        return PerUnCliente(QStringLiteral("NOT %1 AND NOT %2")
                                .arg(Nascosto(2, QStringLiteral("T.IDSezione")), Nascosto(3, QStringLiteral("T.IDArticolo"))));
    if (tabella == QLatin1String("ParoleChiave"))
        return PerUnCliente(QStringLiteral("((T.Tipo=1 AND %1) OR (T.Tipo=3 AND %2))")
                                .arg(ProdottoVisibile(QStringLiteral("T.IDRecord")), ArticoloVisibile(QStringLiteral("T.IDRecord"))));
    // Any other table (settings, languages, dictionary...) goes whole.
    return QStringLiteral("1=1");
}

QStringList AggiornamentoCD::ColonneInviate(const QString& tabella)
{
    QStringList colonne = TabellaCD(tabella).ColumnNames();
    // No credential ever leaves the shop: the shop's accounts, and the
    // customers' password digests.
    if (tabella == QLatin1String("Configurazione"))
        for (const QString& credenziale : QtrConfigurazioneCredentials())
            colonne.removeAll(credenziale);
    if (tabella == QLatin1String("Clienti"))
        colonne.removeAll(QStringLiteral("Password"));
    return colonne;
}

QString AggiornamentoCD::ScaricaDati(qint32 idUtente, const QString& tabella, const QString& versione)
{
    const qint64 v = Versione(versione);
    if (kMaiSulCD.contains(tabella, Qt::CaseInsensitive))
        return QString(SyncProtocol::kEof);
    const QtrTableDef& def = TabellaCD(tabella);
    const QStringList colonne = ColonneInviate(def.Name());
    const QString dove = QStringLiteral(" FROM %1 T WHERE T.VersioneRecord>%2 AND %3").arg(def.Name()).arg(v).arg(Visibile(def.Name()));
    const auto conta = Lega(QStringLiteral("SELECT COUNT(*)") + dove, idUtente);
    QSqlQuery numero = m_db.Run(conta.first, conta.second);
    const qint64 quante = numero.next() ? numero.value(0).toLongLong() : 0;
    numero.finish();
    if (quante == 0)
        return QString(SyncProtocol::kEof);
    QStringList elenco;
    for (const QString& c : colonne)
        elenco.append(QStringLiteral("T.") + c);
    const auto prima = Lega(QStringLiteral("SELECT ") + elenco.join(QLatin1Char(',')) + dove
                                + QStringLiteral(" ORDER BY T.VersioneRecord, T.ID LIMIT 1"),
                            idUtente);
    QSqlQuery riga = m_db.Run(prima.first, prima.second);
    if (!riga.next())
        return QString(SyncProtocol::kEof);
    QString risposta = QString(SyncProtocol::kOk) + CSyncTags::Tag(QStringLiteral("NumRec"), QString::number(quante))
                       + CSyncTags::Tag(QStringLiteral("IDRec"), riga.value(colonne.indexOf(QStringLiteral("ID"))).toString());
    for (int i = 0; i < colonne.size(); ++i) {
        const QtrColumnDef& colonna = def.columns[def.ColumnIndex(colonne[i])];
        risposta += CSyncTags::Tag(QStringLiteral("FieldName"), colonne[i]);
        risposta += CSyncTags::Tag(QStringLiteral("FieldValue"), CSyncValueText::ToText(riga.value(i), colonna.kind));
    }
    return risposta;
}

QString AggiornamentoCD::EliminaDati(qint32 idUtente, const QString& tabella, const QString& startId)
{
    const qint32 da = AggiornamentoRecord::Id(startId.isEmpty() ? QStringLiteral("0") : startId);
    if (kMaiSulCD.contains(tabella, Qt::CaseInsensitive))
        return QString(SyncProtocol::kEof);
    const QtrTableDef& def = TabellaCD(tabella);
    const auto sql = Lega(QStringLiteral("SELECT T.ID FROM %1 T WHERE T.ID>%2 AND %3 ORDER BY T.ID LIMIT 100")
                              .arg(def.Name())
                              .arg(da)
                              .arg(Visibile(def.Name())),
                          idUtente);
    QSqlQuery righe = m_db.Run(sql.first, sql.second);
    QStringList id;
    while (righe.next())
        id.append(righe.value(0).toString());
    return id.isEmpty() ? QString(SyncProtocol::kEof) : QString(SyncProtocol::kOk) + id.join(QLatin1Char(','));
}

QByteArray AggiornamentoCD::ScaricaImmagine(qint32 idUtente, const QString& tipo, const QString& versione,
                                            const QString& cartellaImmagini)
{
    QString cartella;
    if (tipo == QLatin1String("Prodotti"))
        cartella = QStringLiteral("/prodotti/");
    else if (tipo == QLatin1String("ProdottiTh"))
        cartella = QStringLiteral("/prodotti/th/");
    else
        Rifiuta(QStringLiteral("Immagine sconosciuta: %1").arg(tipo));
    const qint64 v = Versione(versione);
    // A photo goes only when none of the product's categories is hidden.
    const QString visibile = PerUnCliente(
        QStringLiteral("NOT EXISTS (SELECT 1 FROM CategorieProdotti CP WHERE CP.IDProdotto=T.ID AND %1) AND NOT %2")
            .arg(Nascosto(0, QStringLiteral("CP.IDCategoria")), Nascosto(1, QStringLiteral("T.ID"))));
    const QString dove = QStringLiteral(" FROM Prodotti T WHERE T.VersioneFoto>%1 AND %2").arg(v).arg(visibile);
    const auto conta = Lega(QStringLiteral("SELECT COUNT(*)") + dove, idUtente);
    QSqlQuery numero = m_db.Run(conta.first, conta.second);
    const qint64 quante = numero.next() ? numero.value(0).toLongLong() : 0;
    numero.finish();
    if (quante == 0)
        return QByteArray(SyncProtocol::kEof.data(), SyncProtocol::kEof.size());
    const auto prima = Lega(QStringLiteral("SELECT T.ID, T.VersioneFoto") + dove
                                + QStringLiteral(" ORDER BY T.VersioneFoto, T.ID LIMIT 1"),
                            idUtente);
    QSqlQuery riga = m_db.Run(prima.first, prima.second);
    riga.next();
    const qint64 id = riga.value(0).toLongLong();
    QFile foto(cartellaImmagini + cartella + QString::number(id) + QStringLiteral(".jpg"));
    if (!foto.open(QIODevice::ReadOnly))
        throw std::runtime_error(QStringLiteral("Foto mancante: %1").arg(foto.fileName()).toStdString());
    const QByteArray byte = foto.readAll();
    // The viewer reads whole blocks and keeps the announced length: the
    // last block is filled with zeros (never with what a buffer held).
    QByteArray corpo = byte;
    corpo.append(QByteArray((byte.size() / kBlocco + 1) * kBlocco - byte.size(), '\0'));
    return (QStringLiteral("OK ") + Cifre(quante) + Cifre(id) + Cifre(riga.value(1).toLongLong()) + Cifre(byte.size()))
               .toLatin1()
           + corpo;
}

QString AggiornamentoCD::AggiornaOrdine(qint32 idUtente, const QString& tabella, const Campi& campi)
{
    // An offline CD sends its orders and their lines, nothing else.
    if (tabella != QLatin1String("Ordini") && tabella != QLatin1String("OrdiniDettaglio"))
        Rifiuta(QStringLiteral("Tabella non ammessa: %1").arg(tabella));
    const QtrTableDef& def = AggiornamentoRecord::Tabella(tabella);
    QStringList colonne;
    QVariantList valori;
    QVariant data, proprietario;
    for (const auto& [campo, testo] : campi) {
        if (campo.startsWith(QLatin1String("PF_"), Qt::CaseInsensitive))
            continue;
        const int indice = def.ColumnIndex(campo);
        if (indice < 0)
            Rifiuta(QStringLiteral("Colonna sconosciuta: %1.%2").arg(def.Name(), campo));
        const QtrColumnDef& colonna = def.columns[indice];
        const QString nome = QString::fromLatin1(colonna.name);
        if (colonne.contains(nome, Qt::CaseInsensitive))
            Rifiuta(QStringLiteral("Colonna ripetuta: %1").arg(campo));
        // The shop sets these itself.
        if (nome == QLatin1String("ID") || nome == QLatin1String("Modificato") || nome == QLatin1String("NumOrdine"))
            continue;
        QVariant valore;
        QString errore;
        if (!testo.isEmpty() && !CSyncValueText::FromText(testo, colonna.kind, &valore, &errore))
            Rifiuta(QStringLiteral("%1 (%2.%3)").arg(errore, def.Name(), nome));
        if (nome == QLatin1String("Data"))
            data = valore;
        if (nome == QLatin1String(tabella == QLatin1String("Ordini") ? "IDCliente" : "IDOrdine"))
            proprietario = valore;
        colonne << nome;
        valori << valore;
    }
    // The order must be the customer's (or an agent's customer's), a line
    // must belong to such an order.
    const QString appartiene = tabella == QLatin1String("Ordini")
                                   ? QStringLiteral("SELECT COUNT(*) FROM Clienti C WHERE C.ID=? AND (C.ID=:u OR C.IDAgente=:u)")
                                   : QStringLiteral("SELECT COUNT(*) FROM Ordini O INNER JOIN Clienti C ON C.ID=O.IDCliente "
                                                    "WHERE O.ID=? AND (C.ID=:u OR C.IDAgente=:u)");
    auto controllo = Lega(appartiene, idUtente);
    controllo.second.prepend(proprietario.isValid() ? proprietario : QVariant(-1));
    QSqlQuery conta = m_db.Run(controllo.first, controllo.second);
    const bool suo = conta.next() && conta.value(0).toLongLong() > 0;
    conta.finish();
    if (!suo)
        Rifiuta(tabella == QLatin1String("Ordini") ? QStringLiteral("Cliente non ammesso")
                                                   : QStringLiteral("Ordine non ammesso"));

    CAdoSqlSession sessione(m_db);
    m_db.BeginTrans();
    try {
        // From the shop's range, in one statement: two CDs sending at once
        // never get the same ID.
        const qint32 id = QtrIdAllocator::Next(sessione, def.Name(), QtrIdRange::Server);
        colonne << QStringLiteral("ID") << QStringLiteral("Modificato");
        valori << id << true;
        QString numero;
        if (tabella == QLatin1String("Ordini")) {
            const QDateTime quando = data.toDateTime().isValid() ? data.toDateTime() : QDateTime::currentDateTime();
            numero = quando.toString(QStringLiteral("yyyyMM")) + QString::number(id);
            colonne << QStringLiteral("NumOrdine");
            valori << numero;
        }
        QStringList segni;
        for (int i = 0; i < colonne.size(); ++i)
            segni << QStringLiteral("?");
        m_db.Execute(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(def.Name(), colonne.join(','), segni.join(',')),
                     valori);
        m_db.CommitTrans();
        return QStringLiteral("OK ") + Cifre(id) + (numero.isEmpty() ? QString() : QStringLiteral(" ") + numero);
    } catch (...) {
        m_db.RollbackTrans();
        throw;
    }
}
