#include "recordset/CTrackedInserts.h"

#include "platform/dao/CDaoDatabase.h"
#include "platform/dao/CDaoException.h"
#include "recordset/CQTRDaoRecordset.h"
#include "recordset/SqliteHandle.h"


#include <sqlite3.h>


CTrackedInserts::CTrackedInserts(CDaoDatabase& database, const QString& table, const QStringList& columns,
                                 const QString& folder)
    : m_database(database), m_table(table), m_columns(columns), m_folder(folder)
{
    if (m_columns.size() > 62)
        throw CDaoException(QStringLiteral("Troppe colonne per %1").arg(table));
}

CTrackedInserts::~CTrackedInserts()
{
    for (sqlite3_stmt* statement : std::as_const(m_statements))
        sqlite3_finalize(statement);
}

sqlite3_stmt* CTrackedInserts::Statement(quint64 unset)
{
    if (sqlite3_stmt* statement = m_statements.value(unset))
        return statement;
    QStringList names;
    for (int c = 0; c < m_columns.size(); ++c)
        if (!(unset & (quint64(1) << c)))
            names << QStringLiteral("[") + m_columns[c] + QStringLiteral("]");
    names << QStringLiteral("[VersioneRecord]") << QStringLiteral("[Modificato]");
    const QString sql = QStringLiteral("INSERT INTO [%1] (%2) VALUES (%3)")
                            .arg(m_table, names.join(QLatin1Char(',')),
                                 QStringLiteral("?,").repeated(names.size()).chopped(1));
    sqlite3_stmt* statement = SqliteHandle::Prepare(SqliteHandle::Of(m_database), sql);
    m_statements.insert(unset, statement);
    return statement;
}

void CTrackedInserts::Insert(const QVariantList& values, quint64 unset)
{
    // As a tracked save: the marker before anything is written, then the
    // version, in the order the rows are saved.
    RaiseSiteUpdateMarker(m_database, m_folder);
    const qint32 version = NextRecordVersion(m_database);
    sqlite3_stmt* statement = Statement(unset);
    int mark = 1;
    int rc = SQLITE_OK;
    for (int c = 0; c < values.size() && rc == SQLITE_OK; ++c)
        if (!(unset & (quint64(1) << c)))
            rc = SqliteHandle::Bind(statement, mark++, values.at(c));
    if (rc == SQLITE_OK)
        rc = sqlite3_bind_int(statement, mark++, version);
    if (rc == SQLITE_OK)
        rc = sqlite3_bind_int(statement, mark, 1);
    if (rc == SQLITE_OK)
        rc = sqlite3_step(statement);
    const QString message = rc == SQLITE_DONE ? QString() : QString::fromUtf8(sqlite3_errmsg(sqlite3_db_handle(statement)));
    sqlite3_reset(statement);
    if (rc != SQLITE_DONE)
        throw CDaoException(message + QStringLiteral(" [") + QString::fromUtf8(sqlite3_sql(statement)) + QStringLiteral("]"));
    m_database.NoteWrite();
}
