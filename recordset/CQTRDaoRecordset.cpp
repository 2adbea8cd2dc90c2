#include "recordset/CQTRDaoRecordset.h"

#include "platform/dao/CDaoException.h"
#include "platform/dao/CDaoTransaction.h"
#include "platform/utilities/QtrUtilities.h"
#include "recordset/CDaoIdBlocks.h"
#include "recordset/CDaoSqlSession.h"
#include "recordset/IQtrHost.h"
#include "recordset/schema/QtrIdAllocator.h"

#include <QSqlQuery>

namespace {

// Runs body inside a transaction of db (a savepoint when one is already
// open), so a failure leaves nothing of it behind.
// Advances the counter row in the database and returns the new value.
qint32 AdvanceRecordVersion(CDaoDatabase& database);

template <typename Body>
void Atomically(CDaoDatabase* db, Body body)
{
    CDaoTransaction transaction(*db);
    body();
    transaction.Commit();
}

} // namespace

CQTRDaoRecordset::CQTRDaoRecordset(CDaoDatabase* pDatabase) : CDaoRecordset(pDatabase)
{
    m_nDefaultType = dbOpenDynaset;
}

CQTRDaoRecordset::~CQTRDaoRecordset() = default;

QString CQTRDaoRecordset::GetDefaultSQL() { return QString(); }

QString CQTRDaoRecordset::GetDefaultDBName() { return QString(); }

void CQTRDaoRecordset::DoFieldExchange(CDaoFieldExchange*) {}

QString CQTRDaoRecordset::MarkerFolder() const
{
    if (!m_strProjectFolder.isEmpty())
        return m_strProjectFolder;
    IQtrHost* host = QtrHost();
    return host ? host->GetProjectFolder() : QString();
}

// The counter and the row are written in one transaction: a failed save
// leaves neither behind, and a long job pays one commit per row.
void CQTRDaoRecordset::Update()
{
    if (!m_bTracking) {
        CDaoRecordset::Update();
        return;
    }
    if (!m_pDatabase)
        ThrowDaoException(QStringLiteral("Il database non è aperto."));
    // The marker comes first: a save the site would never hear of fails
    // before anything is written and keeps the edit; a marker raised for a
    // save that then fails costs only a site update that finds nothing.
    // A job saving thousands of rows in one transaction raises it once.
    // A job's working copy keeps the marker aside until the copy is in
    // place; the row's files are still the project's.
    RaiseSiteUpdateMarker(*m_pDatabase, MarkerFolder());
    const auto save = [this] {
        const qint32 version = NextRecordVersion(*m_pDatabase);
        SetFieldValue(QStringLiteral("VersioneRecord"), version);
        SetFieldValue(QStringLiteral("Modificato"), true);
        CDaoRecordset::Update();
    };
    // Alone, the counter and the row commit together. Inside a caller's
    // transaction they already do; a failed row then leaves at most an
    // unused version number, so no savepoint is spent on every save.
    if (m_pDatabase->TransactionDepth() > 0)
        save();
    else
        Atomically(m_pDatabase, save);
}

qint32 CQTRDaoRecordset::GetNextID()
{
    if (!m_pDatabase)
        ThrowDaoException(QStringLiteral("Il database non è aperto."));
    try {
        return CDaoIdBlocks::Next(*m_pDatabase, RecordsetTable(this, m_strTableName));
    } catch (const CDaoException&) {
        throw;
    } catch (const std::exception& error) {
        ThrowDaoException(QString::fromStdString(error.what()));
    }
    return 0;
}

void CQTRDaoRecordset::Delete()
{
    if (!m_pDatabase)
        ThrowDaoException(QStringLiteral("Il database non è aperto."));
    Atomically(m_pDatabase, [this] {
        LogDelete(this, m_strTableName, m_pDatabase);
        CDaoRecordset::Delete();
    });
}

void CQTRDaoRecordset::MySetFieldValue(const QString& name, qint32 value) { SetFieldValue(name, value); }

void CQTRDaoRecordset::MySetFieldValue(const QString& name, quint8 value) { SetFieldValue(name, value); }

void CQTRDaoRecordset::MySetFieldValue(const QString& name, const QString& value) { SetFieldValue(name, value); }

namespace {

bool ReadNumber(CDaoRecordset* rs, const QString& name, qint64& out)
{
    try {
        const QVariant v = rs->GetFieldValue(name);
        if (v.isNull()) {
            out = 0;
            return true;
        }
        bool ok = false;
        out = v.toLongLong(&ok);
        return ok;
    } catch (const CDaoException&) {
        return false;
    }
}

} // namespace

bool CQTRDaoRecordset::MyGetFieldValue(const QString& name, qint32& value)
{
    qint64 number = 0;
    if (!ReadNumber(this, name, number))
        return false;
    value = static_cast<qint32>(number);
    return true;
}

bool CQTRDaoRecordset::MyGetFieldValue(const QString& name, quint8& value)
{
    qint64 number = 0;
    if (!ReadNumber(this, name, number))
        return false;
    value = static_cast<quint8>(number);
    return true;
}

bool CQTRDaoRecordset::MyGetFieldValue(const QString& name, QString& value)
{
    try {
        value = GetFieldValue(name).toString();
        return true;
    } catch (const CDaoException&) {
        return false;
    }
}

void RaiseSiteUpdateMarker(CDaoDatabase& database, const QString& folder)
{
    const QString where = database.MarkerFolder().isEmpty() ? folder : database.MarkerFolder();
    if (database.FirstInTransaction(QStringLiteral("upd.qtr:") + where) && !AlertUpd(where))
        throw CDaoException(QStringLiteral("Impossibile creare il file upd.qtr nella cartella %1.").arg(where));
}

QString RecordsetTable(CDaoRecordset* recordset, const QString& tableName)
{
    QString table = tableName;
    if (table.isEmpty()) {
        const QString sql = recordset->GetDefaultSQL();
        table = sql.size() >= 2 ? sql.mid(1, sql.size() - 2) : QString();
    }
    // An object opened on a statement of its own has no default SQL: the
    // line must still name the table, or the site never hears of it.
    if (table.isEmpty())
        table = recordset->GetTableName();
    return table;
}

void LogDelete(CDaoRecordset* recordset, const QString& tableName, CDaoDatabase* database)
{
    if (!database && QtrHost())
        database = QtrHost()->GetProjectDatabase();
    if (!database)
        throw CDaoException(QStringLiteral("Il database non è aperto."));
    const QString table = RecordsetTable(recordset, tableName);
    const qint32 id = static_cast<qint32>(recordset->GetFieldValue(QStringLiteral("ID")).toLongLong());
    const QString sql = QStringLiteral("INSERT INTO RecordsEliminati (NomeTabella, IDRecord) VALUES (?, ?)");
    QSqlQuery& insert = database->Prepared(sql);
    insert.bindValue(0, table);
    insert.bindValue(1, id);
    CDaoDatabase::Exec(insert, sql);
    insert.finish();
    database->NoteWrite();
}

qint32 NextRecordVersion(CDaoDatabase& database)
{
    // Inside a transaction the counter row is locked by its first advance:
    // later saves count on in memory and the counter is written once, just
    // before the commit.
    if (database.TransactionDepth() > 0) {
        QVariant& last = database.TransactionValue(QStringLiteral("ProgressivoVersioneRecord"));
        if (last.isValid()) {
            last = last.toInt() + 1;
            return last.toInt();
        }
        last = AdvanceRecordVersion(database);
        database.BeforeCommit([&database] {
            const QString store = QStringLiteral(
                "UPDATE ProgressivoVersioneRecord SET ProgressivoVersioneRecord=? "
                "WHERE rowid=(SELECT MIN(rowid) FROM ProgressivoVersioneRecord)");
            QSqlQuery& query = database.Prepared(store);
            query.bindValue(0, database.TransactionValue(QStringLiteral("ProgressivoVersioneRecord")).toInt());
            CDaoDatabase::Exec(query, store);
            query.finish();
        });
        return last.toInt();
    }
    return AdvanceRecordVersion(database);
}

namespace {

qint32 AdvanceRecordVersion(CDaoDatabase& database)
{
    const QString bump = QStringLiteral(
        "UPDATE ProgressivoVersioneRecord SET ProgressivoVersioneRecord=COALESCE(ProgressivoVersioneRecord,0)+1, "
        "Modificato=1 WHERE rowid=(SELECT MIN(rowid) FROM ProgressivoVersioneRecord) "
        "RETURNING ProgressivoVersioneRecord");
    QSqlQuery& query = database.Prepared(bump);
    CDaoDatabase::Exec(query, bump);
    qint32 value = 1;
    if (query.next()) {
        value = query.value(0).toInt();
        query.finish();
    } else {
        query.finish();
        const QString insert = QStringLiteral(
            "INSERT INTO ProgressivoVersioneRecord (ProgressivoVersioneRecord, Modificato) VALUES (1, 1)");
        QSqlQuery& add = database.Prepared(insert);
        CDaoDatabase::Exec(add, insert);
        add.finish();
    }
    database.NoteWrite();
    return value;
}

} // namespace
