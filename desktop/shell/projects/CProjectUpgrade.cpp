#include "desktop/shell/projects/CProjectUpgrade.h"

#include "platform/dao/CDatabaseFile.h"
#include "desktop/shell/projects/CProjectFolder.h"
#include "desktop/shell/projects/IUpgradeProgress.h"
#include "platform/dao/CDaoException.h"
#include "platform/dao/CDaoTransaction.h"
#include "recordset/CCategorieProdottiSet.h"
#include "recordset/CDaoSqlSession.h"
#include "recordset/CConfigurazioneSet.h"
#include "recordset/CDizionarioGenSet.h"
#include "recordset/CDizionarioLinSet.h"
#include "recordset/COpzioniSet.h"
#include "recordset/CParoleChiaveSet.h"
#include "recordset/CSezioniArticoliSet.h"
#include "recordset/CValuteSet.h"
#include "recordset/schema/QtrIdAllocator.h"

#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include <algorithm>
#include <cmath>

namespace {

QSqlQuery Query(CDaoDatabase& database, const QString& sql, const QVariantList& params = {})
{
    QSqlQuery query(database.Connection());
    query.setForwardOnly(true);
    if (!query.prepare(sql))
        throw CDaoException(query.lastError().databaseText() + QStringLiteral(" [") + sql + QStringLiteral("]"));
    for (int i = 0; i < params.size(); ++i)
        query.bindValue(i, params.at(i));
    CDaoDatabase::Exec(query, sql);
    return query;
}

// Opens a private copy of the file at path (see m_referenceCopy).
void OpenCopy(CDaoDatabase& database, const QString& path, const QTemporaryDir& folder)
{
    QString error;
    const QString copy = folder.filePath(QStringLiteral("reference.mdb"));
    if (!folder.isValid() || !CDatabaseFile::Copy(path, copy, &error))
        throw CDaoException(error.isEmpty() ? QStringLiteral("Impossibile creare una cartella temporanea.") : error);
    database.Open(copy);
}

QStringList SortedColumns(CDaoDatabase& database, const QString& table)
{
    QStringList columns = database.TableColumns(table);
    columns.sort(Qt::CaseSensitive);
    return columns;
}

} // namespace

CProjectUpgrade::CProjectUpgrade(const QString& installFolder, const QString& projectFolder)
    : m_strInstallFolder(CProjectFolder::WithSlash(installFolder)),
      m_strProjectFolder(CProjectFolder::WithSlash(projectFolder))
{
}

CProjectUpgrade::~CProjectUpgrade() = default;

QString CProjectUpgrade::Quoted(const QString& name)
{
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QStringList CProjectUpgrade::UserTables(CDaoDatabase& database)
{
    QStringList tables;
    QSqlQuery query = Query(database, QStringLiteral(
        "SELECT name FROM sqlite_master WHERE type='table' AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' ORDER BY rowid"));
    while (query.next()) {
        const QString name = query.value(0).toString();
        if (!name.startsWith(QStringLiteral("MSys")))
            tables << name;
    }
    return tables;
}

// SQLite keeps no date of a table's last change, so the tables are
// compared by their names and columns: any difference from the reference
// is a schema of another release.
CProjectUpgrade::Check CProjectUpgrade::CheckProjectSchema(const QString& installFolder,
                                                           const QString& projectFolder, QString* error)
{
    CDaoDatabase reference;
    CDaoDatabase project;
    QTemporaryDir copyFolder;
    try {
        OpenCopy(reference, CProjectFolder::ReferenceDatabasePath(installFolder), copyFolder);
        project.Open(CProjectFolder::DatabasePath(projectFolder));
        QStringList referenceTables = UserTables(reference);
        QStringList projectTables = UserTables(project);
        referenceTables.sort(Qt::CaseSensitive);
        projectTables.sort(Qt::CaseSensitive);
        if (referenceTables != projectTables)
            return NeedsUpgrade;
        for (const QString& table : referenceTables) {
            if (SortedColumns(reference, table) != SortedColumns(project, table))
                return NeedsUpgrade;
        }
    } catch (const CDaoException& e) {
        if (error)
            *error = e.GetErrorMessage();
        return CheckFailed;
    }
    return UpToDate;
}

CProjectUpgrade::Result CProjectUpgrade::Run(IUpgradeProgress& progress)
{
    m_pProgress = &progress;
    m_bCancelled = false;
    m_strError.clear();
    const QString temp = CProjectFolder::TempDatabasePath(m_strProjectFolder);
    const QString project = CProjectFolder::DatabasePath(m_strProjectFolder);
    if (!CDatabaseFile::Copy(CProjectFolder::ReferenceDatabasePath(m_strInstallFolder), temp, &m_strError))
        return Failed;
    try {
        m_dbOld.Open(project);
        m_dbNew.Open(temp);
        CopyTables();
        progress.SetTableLabel(QString());
        progress.SetTablePos(0);
        if (!m_bCancelled)
            ConvertVersions();
        m_dbOld.Close();
        if (!m_bCancelled) {
            MergeDictionary();
            MergeOptions();
        }
        m_dbNew.Close();
    } catch (const CDaoException& e) {
        m_strError = e.GetErrorMessage();
    }
    m_dbOld.Close();
    m_dbNew.Close();
    if (!m_strError.isEmpty() || m_bCancelled) {
        CDatabaseFile::Remove(temp, nullptr);
        return m_strError.isEmpty() ? Cancelled : Failed;
    }
    if (!CDatabaseFile::Replace(temp, project, &m_strError)) {
        CDatabaseFile::Remove(temp, nullptr);
        return Failed;
    }
    return Upgraded;
}

bool CProjectUpgrade::Pump()
{
    if (m_pProgress->IsCancelled())
        m_bCancelled = true;
    return m_bCancelled;
}

void CProjectUpgrade::CopyTables()
{
    const QStringList tables = UserTables(m_dbOld);
    const QStringList newTables = UserTables(m_dbNew);
    const QSet<QString> known(newTables.begin(), newTables.end());
    m_pProgress->SetTableRange(0, std::max<int>(0, tables.size() - 1));
    for (int i = 0; i < tables.size() && !m_bCancelled; ++i) {
        m_pProgress->SetTableLabel(QStringLiteral("Aggiornamento tabella %1 in corso...").arg(tables.at(i)));
        m_pProgress->SetTablePos(i);
        // A table the current release no longer has is dropped with its rows.
        if (known.contains(tables.at(i)))
            CopyTable(tables.at(i));
    }
}

void CProjectUpgrade::CopyTable(const QString& table)
{
    const QStringList newColumns = m_dbNew.TableColumns(table);
    QStringList common;
    for (const QString& column : m_dbOld.TableColumns(table)) {
        if (newColumns.contains(column))
            common << column;
    }
    CDaoTransaction transaction(m_dbNew);
    m_dbNew.Execute(QStringLiteral("DELETE FROM ") + Quoted(table));
    if (!Pump() && !common.isEmpty()) {
        QStringList quoted;
        for (const QString& column : common)
            quoted << Quoted(column);
        const QString insert = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                   .arg(Quoted(table), quoted.join(QLatin1Char(',')),
                                        QStringList(QList<QString>(common.size(), QStringLiteral("?"))).join(QLatin1Char(',')));
        QSqlQuery& write = m_dbNew.Prepared(insert);
        EachRow(table, common, QStringLiteral("Aggiornamento record %1/%2 in corso..."),
                [&](const QSqlRecord& row) {
                    for (int c = 0; c < common.size(); ++c)
                        write.bindValue(c, row.value(c));
                    CDaoDatabase::Exec(write, insert);
                });
        m_dbNew.NoteWrite();
    }
    transaction.Commit();
}

// Reads the named columns of every row of an old table, reporting each row
// on the record bar and stopping at a cancel.
void CProjectUpgrade::EachRow(const QString& table, const QStringList& columns, const QString& label,
                              const std::function<void(const QSqlRecord&)>& body)
{
    QSqlQuery count = Query(m_dbOld, QStringLiteral("SELECT COUNT(*) FROM ") + Quoted(table));
    const int total = count.next() ? count.value(0).toInt() : 0;
    if (total == 0)
        return;
    QStringList quoted;
    for (const QString& column : columns)
        quoted << Quoted(column);
    QSqlQuery rows = Query(m_dbOld, QStringLiteral("SELECT %1 FROM %2").arg(quoted.join(QLatin1Char(',')), Quoted(table)));
    m_pProgress->SetRecordRange(1, total);
    for (int n = 1; rows.next(); ++n) {
        m_pProgress->SetRecordLabel(label.arg(n).arg(total));
        m_pProgress->SetRecordPos(n);
        if (Pump())
            return;
        body(rows.record());
    }
}

qint32 CProjectUpgrade::NextId(const QString& table)
{
    CDaoSqlSession session(m_dbNew);
    return QtrIdAllocator::Next(session, table, QtrIdRange::Desktop);
}

qint32 CProjectUpgrade::OldVersion()
{
    if (!m_dbOld.TableColumns(QStringLiteral("Configurazione")).contains(QStringLiteral("VersioneDB")))
        return 0;
    QSqlQuery query = Query(m_dbOld, QStringLiteral("SELECT VersioneDB FROM Configurazione ORDER BY rowid LIMIT 1"));
    return query.next() ? query.value(0).toInt() : 0;
}

void CProjectUpgrade::ConvertVersions()
{
    switch (OldVersion()) {
    case 0:
        KeywordsToParoleChiave();
        CategoryLinks();
        CurrencyRounding();
        break;
    case 31:
        CategoryLinks();
        SectionLinks();
        CurrencyRounding();
        break;
    case 40:
        CurrencyRounding();
        break;
    default:
        break;
    }
    if (!m_bCancelled)
        StampVersion();
}

// The keywords of the oldest release sat in ProdottiLingue; they become
// rows of ParoleChiave for the product. A text row whose product is gone
// has nothing to describe and is left out.
void CProjectUpgrade::KeywordsToParoleChiave()
{
    const QStringList textColumns = m_dbOld.TableColumns(QStringLiteral("ProdottiLingue"));
    if (!textColumns.contains(QStringLiteral("Keywords")))
        return;
    CParoleChiaveSet words(&m_dbNew);
    words.m_strProjectFolder = m_strProjectFolder;
    words.Open();
    EachRow(QStringLiteral("ProdottiLingue"),
            {QStringLiteral("IDProdotto"), QStringLiteral("CodiceLingua"), QStringLiteral("Keywords")},
            QStringLiteral("Aggiornamento record %1/%2 in corso..."), [&](const QSqlRecord& row) {
                QSqlQuery product = Query(m_dbOld, QStringLiteral("SELECT ID, Attivo FROM Prodotti WHERE ID=?"),
                                        {row.value(0)});
                if (!product.next())
                    return;
                words.AddNew();
                words.m_ID = NextId(QStringLiteral("ParoleChiave"));
                words.m_Tipo = 1;
                words.m_IDRecord = product.value(0).toInt();
                words.m_CodiceLingua = row.value(1).toString();
                words.m_Keywords = row.value(2).toString();
                words.m_Attivo = product.value(1).toBool();
                words.Update();
            });
    words.Close();
}

// Releases before the link tables kept one category on the product and one
// section on the article; each becomes a row of the link table.
void CProjectUpgrade::CategoryLinks()
{
    CCategorieProdottiSet links(&m_dbNew);
    AddLinks(links, QStringLiteral("Prodotti"), QStringLiteral("IDCategorie"), QStringLiteral("IDCategoria"),
             QStringLiteral("IDProdotto"));
}

void CProjectUpgrade::SectionLinks()
{
    CSezioniArticoliSet links(&m_dbNew);
    AddLinks(links, QStringLiteral("Articoli"), QStringLiteral("IDSezione"), QStringLiteral("IDSezione"),
             QStringLiteral("IDArticolo"));
}

void CProjectUpgrade::AddLinks(CQTRDaoRecordset& links, const QString& oldTable, const QString& oldColumn,
                               const QString& parentColumn, const QString& childColumn)
{
    if (m_bCancelled || !m_dbOld.TableColumns(oldTable).contains(oldColumn))
        return;
    links.m_strProjectFolder = m_strProjectFolder;
    links.Open();
    const QString table = links.GetTableName();
    EachRow(oldTable, {QStringLiteral("ID"), oldColumn}, QStringLiteral("Aggiornamento record %1/%2 in corso..."),
            [&](const QSqlRecord& row) {
                links.AddNew();
                links.SetFieldValue(QStringLiteral("ID"), NextId(table));
                links.SetFieldValue(parentColumn, row.value(1).toInt());
                links.SetFieldValue(childColumn, row.value(0).toInt());
                links.Update();
            });
    links.Close();
}

bool CProjectUpgrade::RoundCurrency(double value, double* rounded)
{
    const double x = value * 100000.0;
    if (x == std::floor(x))
        return false;
    const double down = std::floor(x);
    const double up = std::ceil(x);
    // Dividing gives the nearest double to the five-decimal value, which a
    // multiplication by 0.00001 does not always.
    *rounded = (x - down <= up - x ? down : up) / 100000.0;
    return true;
}

void CProjectUpgrade::CurrencyRounding()
{
    if (m_bCancelled)
        return;
    CValuteSet currencies(&m_dbNew);
    currencies.m_strProjectFolder = m_strProjectFolder;
    currencies.Open();
    const int total = currencies.GetRecordCount();
    m_pProgress->SetRecordRange(0, total);
    for (int n = 1; !currencies.IsEOF(); ++n, currencies.MoveNext()) {
        m_pProgress->SetRecordLabel(QStringLiteral("Aggiornamento valuta %1/%2 in corso...").arg(n).arg(total));
        m_pProgress->SetRecordPos(n);
        if (Pump())
            break;
        double rounded = 0;
        if (!RoundCurrency(currencies.m_Arrotondamento, &rounded))
            continue;
        currencies.Edit();
        currencies.m_Arrotondamento = rounded;
        currencies.Update();
    }
    currencies.Close();
}

void CProjectUpgrade::StampVersion()
{
    CConfigurazioneSet configuration(&m_dbNew);
    configuration.m_strProjectFolder = m_strProjectFolder;
    configuration.Open();
    if (!configuration.IsEOF()) {
        configuration.Edit();
        configuration.m_VersioneDB = CurrentVersion;
        configuration.Update();
    }
    configuration.Close();
}

void CProjectUpgrade::OpenReference(CDaoDatabase& database)
{
    OpenCopy(database, CProjectFolder::ReferenceDatabasePath(m_strInstallFolder), m_referenceCopy);
}

// Codes the reference has and the project lacks come in with their texts
// in every language; codes the project has keep the project's texts.
void CProjectUpgrade::MergeDictionary()
{
    OpenReference(m_dbOld);
    CDizionarioGenSet reference(&m_dbOld);
    reference.m_bTracking = false;
    reference.Open();
    CDizionarioGenSet codes(&m_dbNew);
    codes.m_strProjectFolder = m_strProjectFolder;
    codes.Open();
    CDizionarioLinSet referenceTexts(&m_dbOld);
    referenceTexts.m_strFilter = QStringLiteral("IDCodice=?");
    CDizionarioLinSet texts(&m_dbNew);
    texts.m_strProjectFolder = m_strProjectFolder;
    texts.Open();
    for (; !reference.IsEOF() && !Pump(); reference.MoveNext()) {
        if (codes.FindFirst(QStringLiteral("Codice=?"), {reference.m_Codice}))
            continue;
        codes.AddNew();
        codes.m_ID = NextId(QStringLiteral("Dizionario"));
        codes.m_Codice = reference.m_Codice;
        codes.m_Modificato = true;
        const qint32 newId = codes.m_ID;
        codes.Update();
        referenceTexts.m_filterParams = {reference.m_ID};
        if (referenceTexts.IsOpen())
            referenceTexts.Requery();
        else
            referenceTexts.Open();
        for (; !referenceTexts.IsEOF(); referenceTexts.MoveNext()) {
            texts.AddNew();
            texts.m_ID = NextId(QStringLiteral("DizionarioLingue"));
            texts.m_IDCodice = newId;
            texts.m_CodiceLingua = referenceTexts.m_CodiceLingua;
            texts.m_Testo = referenceTexts.m_Testo;
            texts.m_Modificato = true;
            texts.Update();
        }
    }
    texts.Close();
    referenceTexts.Close();
    codes.Close();
    reference.Close();
    m_dbOld.Close();
}

void CProjectUpgrade::MergeOptions()
{
    if (m_bCancelled)
        return;
    OpenReference(m_dbOld);
    COpzioniSet reference(&m_dbOld);
    reference.m_bTracking = false;
    reference.Open();
    COpzioniSet options(&m_dbNew);
    options.m_strProjectFolder = m_strProjectFolder;
    options.Open();
    for (; !reference.IsEOF() && !Pump(); reference.MoveNext()) {
        if (options.FindFirst(QStringLiteral("Codice=?"), {reference.m_Codice}))
            continue;
        options.AddNew();
        options.m_ID = NextId(QStringLiteral("Opzioni"));
        options.m_Codice = reference.m_Codice;
        options.m_Descrizione = reference.m_Descrizione;
        options.m_Modificato = true;
        options.Update();
    }
    options.Close();
    reference.Close();
    m_dbOld.Close();
}
