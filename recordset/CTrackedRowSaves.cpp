#include "recordset/CTrackedRowSaves.h"

#include "platform/dao/CDaoDatabase.h"
#include "platform/dao/CDaoEditBuffer.h"
#include "platform/dao/CDaoStatement.h"
#include "platform/dao/CDaoTransaction.h"
#include "recordset/CQTRDaoRecordset.h"
#include "recordset/SqliteHandle.h"

#include "platform/dao/CDaoException.h"

#include <sqlite3.h>

CTrackedRowSaves::CTrackedRowSaves(CDaoDatabase& database, const QString& folder)
    : m_database(database), m_folder(folder)
{
}

CTrackedRowSaves::~CTrackedRowSaves() { ForgetAll(); }

void CTrackedRowSaves::Forget()
{
    for (const Lookup& lookup : std::as_const(m_lookups))
        sqlite3_finalize(lookup.statement);
    m_lookups.clear();
}

void CTrackedRowSaves::ForgetAll()
{
    Forget();
    for (sqlite3_stmt* statement : std::as_const(m_writes))
        sqlite3_finalize(statement);
    m_writes.clear();
}

std::optional<CTrackedRowSaves::Found> CTrackedRowSaves::First(const QString& table, const QString& criteria,
                                                               const QVariantList& values)
{
    const QString key = table + QLatin1Char('\n') + criteria;
    auto it = m_lookups.constFind(key);
    if (it == m_lookups.constEnd()) {
        // Past a few dozen (criteria built from the data) the kept ones go.
        constexpr int kMostKept = 64;
        if (m_lookups.size() >= kMostKept)
            Forget();
        // The statement a table class opened with the criteria as its
        // filter, so the same row comes first; only its key and ID are read.
        const CDaoStatement statement(QStringLiteral("SELECT * FROM [") + table + QStringLiteral("]"), criteria,
                                      QString());
        Lookup lookup;
        lookup.statement = SqliteHandle::Prepare(SqliteHandle::Of(m_database), statement.Select());
        for (int c = 0; c < sqlite3_column_count(lookup.statement); ++c)
            if (qstricmp(sqlite3_column_name(lookup.statement, c), "ID") == 0)
                lookup.idColumn = c;
        it = m_lookups.insert(key, lookup);
    }
    sqlite3_stmt* query = it->statement;
    if (sqlite3_bind_parameter_count(query) != values.size())
        throw CDaoException(QStringLiteral("Parameter count mismatch [%1]").arg(QString::fromUtf8(sqlite3_sql(query))));
    int rc = SQLITE_OK;
    for (int i = 0; i < values.size() && rc == SQLITE_OK; ++i)
        rc = SqliteHandle::Bind(query, i + 1, values.at(i));
    std::optional<Found> found;
    if (rc == SQLITE_OK) {
        rc = sqlite3_step(query);
        if (rc == SQLITE_ROW)
            found = Found{sqlite3_column_int64(query, 0),
                          it->idColumn >= 0 ? sqlite3_column_int(query, it->idColumn) : 0};
    }
    const QString message = rc == SQLITE_ROW || rc == SQLITE_DONE ? QString()
                                                                  : QString::fromUtf8(sqlite3_errmsg(sqlite3_db_handle(query)));
    sqlite3_reset(query);
    sqlite3_clear_bindings(query);
    if (!message.isEmpty())
        throw CDaoException(message + QStringLiteral(" [") + QString::fromUtf8(sqlite3_sql(query)) + QStringLiteral("]"));
    return found;
}

void CTrackedRowSaves::Write(const QString& sql, const QVariantList& values)
{
    sqlite3_stmt* statement = m_writes.value(sql);
    if (!statement) {
        constexpr int kMostKept = 64;
        if (m_writes.size() >= kMostKept) {
            for (sqlite3_stmt* kept : std::as_const(m_writes))
                sqlite3_finalize(kept);
            m_writes.clear();
        }
        statement = SqliteHandle::Prepare(SqliteHandle::Of(m_database), sql);
        m_writes.insert(sql, statement);
    }
    int rc = SQLITE_OK;
    for (int i = 0; i < values.size() && rc == SQLITE_OK; ++i)
        rc = SqliteHandle::Bind(statement, i + 1, values.at(i));
    if (rc == SQLITE_OK)
        rc = sqlite3_step(statement);
    const QString message = rc == SQLITE_DONE ? QString() : QString::fromUtf8(sqlite3_errmsg(sqlite3_db_handle(statement)));
    sqlite3_reset(statement);
    sqlite3_clear_bindings(statement);
    if (rc != SQLITE_DONE)
        throw CDaoException(message + QStringLiteral(" [") + sql + QStringLiteral("]"));
    m_database.NoteWrite();
}

void CTrackedRowSaves::Add(const QString& table, const Values& values) { Save(table, nullptr, values); }

void CTrackedRowSaves::Edit(const QString& table, const QVariant& rowid, const Values& values)
{
    Save(table, &rowid, values);
}

void CTrackedRowSaves::Save(const QString& table, const QVariant* rowid, const Values& values)
{
    RaiseSiteUpdateMarker(m_database, m_folder);
    const auto save = [&] {
        CDaoEditBuffer edit;
        edit.Begin(rowid ? CDaoEditBuffer::Editing : CDaoEditBuffer::Adding, -1);
        for (const auto& [column, value] : values)
            edit.Set(column, value);
        edit.Set(QStringLiteral("VersioneRecord"), NextRecordVersion(m_database));
        edit.Set(QStringLiteral("Modificato"), true);
        const CDaoAssignments assignments = edit.Collect({});
        // The statements a table class's save runs (CDaoEditBuffer), on
        // the engine's own handle.
        QStringList names;
        for (const QString& column : assignments.columns)
            names << QStringLiteral("[") + column + (rowid ? QStringLiteral("]=?") : QStringLiteral("]"));
        const QString sql = rowid ? QStringLiteral("UPDATE [%1] SET %2 WHERE rowid=?").arg(table, names.join(QLatin1Char(',')))
                                  : QStringLiteral("INSERT INTO [%1] (%2) VALUES (%3)")
                                        .arg(table, names.join(QLatin1Char(',')),
                                             QStringLiteral("?,").repeated(names.size()).chopped(1));
        QVariantList values = assignments.values;
        if (rowid)
            values << *rowid;
        Write(sql, values);
    };
    if (m_database.TransactionDepth() > 0) {
        save();
        return;
    }
    CDaoTransaction transaction(m_database);
    save();
    transaction.Commit();
}
