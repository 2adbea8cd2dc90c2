#include "server/sync/AggiornamentoRecord.h"

#include "server/core/LettoreNumeri.h"

#include "platform/ado/CAdoConnection.h"
#include "recordset/schema/QtrDataGeneration.h"
#include "recordset/schema/ShopSchema.h"
#include "recordset/sync/CSyncColumns.h"
#include "recordset/sync/CSyncTags.h"
#include "recordset/sync/CSyncValueText.h"
#include "recordset/sync/SyncProtocol.h"
#include "server/core/CAdoSqlSession.h"
#include "server/sync/AggiornamentoCD.h"

#include <QCryptographicHash>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QSqlRecord>

#include <stdexcept>

namespace {

// IDs from here up are the shop's own (orders, customers, posts).
constexpr qint64 kPrimoIdServer = 1000000001;

[[noreturn]] void Rifiuta(const QString& motivo) { throw std::invalid_argument(motivo.toStdString()); }

bool IsAccountField(const QString& nome)
{
    return nome == SyncProtocol::kUserCode || nome == SyncProtocol::kPassword || nome == SyncProtocol::kTableName;
}

// Commits when the request went through, rolls back otherwise.
class Transazione
{
public:
    explicit Transazione(CAdoConnection& db) : m_db(db) { m_db.BeginTrans(); }
    ~Transazione()
    {
        if (!m_chiusa) {
            try {
                m_db.RollbackTrans();
            } catch (...) {
            }
        }
    }
    void Conferma()
    {
        m_db.CommitTrans();
        m_chiusa = true;
    }

private:
    CAdoConnection& m_db;
    bool m_chiusa = false;
};

// A row the desktop wrote or deleted reaches what the shop servers keep of
// the shop's data with the write's own commit.
void DatiCambiati(CAdoConnection& db)
{
    CAdoSqlSession sessione(db);
    QtrDataGeneration::Raise(sessione);
}

} // namespace

AggiornamentoRecord::AggiornamentoRecord(CAdoConnection& db) : m_db(db) {}

const QtrTableDef& AggiornamentoRecord::Tabella(const QString& nome)
{
    const QtrTableDef* tabella = ShopSchema::Find(nome);
    if (!tabella || tabella->file != QtrDbFile::Shop || !tabella->HasId()
        || tabella->ColumnIndex(QStringLiteral("Modificato")) < 0)
        Rifiuta(QStringLiteral("Tabella sconosciuta: %1").arg(nome));
    return *tabella;
}

qint32 AggiornamentoRecord::Id(const QString& testo)
{
    const std::optional<qint32> id = LettoreNumeri::Intero(testo, false);
    if (!id)
        Rifiuta(QStringLiteral("ID non valido: %1").arg(testo));
    return *id;
}

void AggiornamentoRecord::Aggiorna(const QString& nome, const Campi& campi)
{
    const QtrTableDef& tabella = Tabella(nome);
    // The CDs' credentials came after many shops' databases were made.
    if (tabella.Name() == QLatin1String("CredenzialiCD"))
        AggiornamentoCD::AssicuraTabella(m_db);
    QStringList colonne;
    QVariantList valori;
    qint32 id = -1;
    for (const auto& [campo, testo] : campi) {
        if (IsAccountField(campo))
            continue;
        const int indice = tabella.ColumnIndex(campo);
        if (indice < 0)
            Rifiuta(QStringLiteral("Colonna sconosciuta: %1.%2").arg(tabella.Name(), campo));
        const QtrColumnDef& colonna = tabella.columns[indice];
        const QString nomeColonna = QString::fromLatin1(colonna.name);
        if (colonne.contains(nomeColonna, Qt::CaseInsensitive))
            Rifiuta(QStringLiteral("Colonna ripetuta: %1").arg(campo));
        QVariant valore;
        QString errore;
        if (!CSyncValueText::FromText(testo, colonna.kind, &valore, &errore))
            Rifiuta(QStringLiteral("%1 (%2.%3)").arg(errore, tabella.Name(), nomeColonna));
        if (nomeColonna == QLatin1String("ID"))
            id = Id(testo);
        if (nomeColonna == QLatin1String("Modificato") || CSyncColumns::IsDesktopOnly(tabella.Name(), nomeColonna))
            continue;
        colonne << nomeColonna;
        valori << valore;
    }
    if (id < 0)
        Rifiuta(QStringLiteral("Manca l'ID della riga di %1").arg(tabella.Name()));
    colonne << QStringLiteral("Modificato");
    valori << false;
    // What an older desktop posted of its own settings goes with the next
    // upload of the row.
    for (const QString& soloDesktop : CSyncColumns::DesktopOnly(tabella.Name())) {
        if (tabella.ColumnIndex(soloDesktop) >= 0) {
            colonne << soloDesktop;
            valori << QVariant();
        }
    }

    Transazione transazione(m_db);
    QSqlQuery esistente = m_db.Run(QStringLiteral("SELECT Modificato FROM %1 WHERE ID=?").arg(tabella.Name()), {id});
    const bool presente = esistente.next();
    const bool cambiataSulNegozio = presente && esistente.value(0).toInt() != 0;
    esistente.finish();
    const bool delNegozio = id >= kPrimoIdServer || CSyncColumns::IsShopWritten(tabella.Name());
    if (delNegozio && cambiataSulNegozio)
        throw Conflitto(QStringLiteral("%1: la riga %2 di %3 è stata cambiata sul sito dopo l'ultimo scaricamento "
                                       "degli ordini")
                            .arg(SyncProtocol::kConflict)
                            .arg(id)
                            .arg(tabella.Name())
                            .toStdString());
    if (id >= kPrimoIdServer && !presente)
        throw Conflitto(QStringLiteral("%1: la riga %2 di %3 è stata eliminata sul sito")
                            .arg(SyncProtocol::kConflict)
                            .arg(id)
                            .arg(tabella.Name())
                            .toStdString());
    if (presente) {
        QStringList assegnazioni;
        for (const QString& colonna : colonne)
            assegnazioni << colonna + QStringLiteral("=?");
        valori << id;
        m_db.Execute(QStringLiteral("UPDATE %1 SET %2 WHERE ID=?").arg(tabella.Name(), assegnazioni.join(QLatin1Char(','))),
                     valori);
    } else {
        const QString segnaposto = QStringLiteral("?,").repeated(colonne.size()).chopped(1);
        m_db.Execute(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                         .arg(tabella.Name(), colonne.join(QLatin1Char(',')), segnaposto),
                     valori);
    }
    DatiCambiati(m_db);
    transazione.Conferma();
}

bool AggiornamentoRecord::Elimina(const QString& nome, qint32 id)
{
    const QtrTableDef& tabella = Tabella(nome);
    Transazione transazione(m_db);
    const int righe = m_db.Execute(QStringLiteral("DELETE FROM %1 WHERE ID=?").arg(tabella.Name()), {id});
    DatiCambiati(m_db);
    transazione.Conferma();
    return righe > 0;
}

QString AggiornamentoRecord::Scarica(const QString& nome, const QString& fromId)
{
    const QtrTableDef& tabella = Tabella(nome);
    const qint32 da = fromId.isEmpty() ? 0 : Id(fromId);
    const QStringList colonne = tabella.ColumnNames();
    QSqlQuery conta = m_db.Run(
        QStringLiteral("SELECT COUNT(*) FROM %1 WHERE Modificato=1 AND ID>?").arg(tabella.Name()), {da});
    const qint64 quante = conta.next() ? conta.value(0).toLongLong() : 0;
    conta.finish();
    if (quante == 0)
        return QString(SyncProtocol::kEof);
    QSqlQuery riga = m_db.Run(QStringLiteral("SELECT %1 FROM %2 WHERE Modificato=1 AND ID>? ORDER BY ID")
                                  .arg(colonne.join(QLatin1Char(',')), tabella.Name()),
                              {da});
    if (!riga.next())
        return QString(SyncProtocol::kEof);
    QString risposta = QString(SyncProtocol::kOk) + CSyncTags::Tag(QStringLiteral("NumRec"), QString::number(quante))
                       + CSyncTags::Tag(QStringLiteral("IDRec"), riga.value(tabella.ColumnIndex("ID")).toString())
                       + CSyncTags::Tag(QString(SyncProtocol::kVersionTag), Versione(tabella, riga));
    for (int i = 0; i < tabella.columnCount; ++i) {
        risposta += CSyncTags::Tag(QStringLiteral("FieldName"), colonne[i]);
        risposta += CSyncTags::Tag(QStringLiteral("FieldValue"),
                                   CSyncValueText::ToText(riga.value(i), tabella.columns[i].kind));
    }
    return risposta;
}

QString AggiornamentoRecord::Versione(const QtrTableDef& tabella, const QSqlQuery& riga)
{
    QCryptographicHash digest(QCryptographicHash::Sha256);
    for (int i = 0; i < tabella.columnCount; ++i) {
        const QtrColumnDef& colonna = tabella.columns[i];
        if (QLatin1String(colonna.name) == QLatin1String("Modificato"))
            continue;
        digest.addData(QByteArray(colonna.name) + '\x1f');
        digest.addData(CSyncValueText::ToText(riga.value(i), colonna.kind).toUtf8() + '\x1e');
    }
    return QString::fromLatin1(digest.result().toHex().left(32));
}

AggiornamentoRecord::EsitoConferma AggiornamentoRecord::Conferma(const QString& nome, qint32 id, const QString& versione)
{
    const QtrTableDef& tabella = Tabella(nome);
    Transazione transazione(m_db);
    // The mark is cleared first: the row stays locked against the shop's
    // pages until the version is checked and the clearing committed.
    const int righe = m_db.Execute(QStringLiteral("UPDATE %1 SET Modificato=0 WHERE ID=?").arg(tabella.Name()), {id});
    if (righe == 0)
        return EsitoConferma::Assente;
    if (!versione.isEmpty()) {
        QSqlQuery riga = m_db.Run(QStringLiteral("SELECT %1 FROM %2 WHERE ID=?")
                                      .arg(tabella.ColumnNames().join(QLatin1Char(',')), tabella.Name()),
                                  {id});
        const bool uguale = riga.next() && Versione(tabella, riga) == versione;
        riga.finish();
        if (!uguale)
            return EsitoConferma::Cambiata;   // rolled back: the mark stays
    }
    transazione.Conferma();
    return EsitoConferma::Confermata;
}

QString AggiornamentoRecord::ProssimaCancellazione(const QString& dopo)
{
    // The notices are walked in (table, ID) order; the desktop names the
    // last one it received, so a repeated request never skips one.
    QString tabellaDopo = QStringLiteral("");   // empty, not null: it is bound
    qint64 idDopo = -1;
    if (!dopo.isEmpty()) {
        const int separatore = dopo.lastIndexOf(QLatin1Char(':'));
        if (separatore <= 0)
            Rifiuta(QStringLiteral("Posizione non valida: %1").arg(dopo));
        tabellaDopo = dopo.left(separatore);
        idDopo = Id(dopo.mid(separatore + 1));
    }
    const QString dopoCondizione = QStringLiteral("(NomeTabella>? OR (NomeTabella=? AND IDRecord>?))");
    const QVariantList parametri{tabellaDopo, tabellaDopo, idDopo};
    QSqlQuery conta = m_db.Run(QStringLiteral("SELECT COUNT(*) FROM RecordsEliminati WHERE ") + dopoCondizione, parametri);
    const qint64 quante = conta.next() ? conta.value(0).toLongLong() : 0;
    conta.finish();
    if (quante == 0)
        return QString(SyncProtocol::kEof);
    QSqlQuery prima = m_db.Run(QStringLiteral("SELECT NomeTabella, IDRecord FROM RecordsEliminati WHERE ") + dopoCondizione
                                   + QStringLiteral(" ORDER BY NomeTabella, IDRecord"),
                               parametri);
    prima.next();
    const QString tabella = prima.value(0).toString();
    const QString id = prima.value(1).toString();
    prima.finish();
    return QString(SyncProtocol::kOk) + CSyncTags::Tag(QStringLiteral("NumRec"), QString::number(quante))
           + CSyncTags::Tag(QStringLiteral("NomeTabella"), tabella) + CSyncTags::Tag(QStringLiteral("IDRec"), id);
}

bool AggiornamentoRecord::ConfermaCancellazione(const QString& tabella, qint32 id)
{
    Transazione transazione(m_db);
    const int righe = m_db.Execute(QStringLiteral("DELETE FROM RecordsEliminati WHERE NomeTabella=? AND IDRecord=?"),
                                   {tabella, id});
    transazione.Conferma();
    return righe > 0;
}
