#include "recordset/schema/QtrIdAllocator.h"

#include "recordset/schema/ShopSchema.h"
#include "recordset/schema/ShopSchemaDdl.h"

#include <limits>
#include <stdexcept>

namespace {

constexpr qint64 kLastServerId = std::numeric_limits<qint32>::max();
// Serialises creating ContatoriID on PostgreSQL, for databases made before
// the table was part of the schema.
constexpr qint64 kCreateLock = 0x5154524944;

const QtrTableDef& TableWithId(const QString& table)
{
    const QtrTableDef* def = ShopSchema::Find(table);
    if (!def || !def->HasId())
        throw std::invalid_argument(("Nome di tabella non valido: " + table).toStdString());
    return *def;
}

QString Quoted(const QString& name, bool postgres)
{
    return QLatin1Char('"') + (postgres ? name.toLower() : name) + QLatin1Char('"');
}

bool CounterTableExists(IQtrSqlSession& database)
{
    QSqlQuery query = database.IsPostgres()
        ? database.Exec(QStringLiteral("SELECT to_regclass('contatoriid') IS NOT NULL"))
        : database.Exec(QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE type='table' AND name='ContatoriID'"));
    return query.next() && query.value(0).toInt() != 0;
}

void EnsureCounterTable(IQtrSqlSession& database)
{
    if (CounterTableExists(database))
        return;
    if (database.IsPostgres()) {
        database.Exec(QStringLiteral("SELECT pg_advisory_xact_lock(?)"), {kCreateLock});
        if (CounterTableExists(database))
            return;
    }
    const QtrTableDef& counters = *ShopSchema::Find(QStringLiteral("ContatoriID"));
    const QStringList statements = database.IsPostgres() ? ShopSchemaDdl::PostgresStatements(counters)
                                                         : ShopSchemaDdl::SqliteStatements(counters);
    for (QString statement : statements) {
        if (!database.IsPostgres())
            statement.replace(QStringLiteral("CREATE TABLE "), QStringLiteral("CREATE TABLE IF NOT EXISTS "));
        database.Exec(statement);
    }
}

// One statement: the counter row is made at the last ID of a block that
// starts above the table's rows in the range, or moved a block past its
// last value and past those rows; it gives the block's last ID.
QString AllocateSql(const QString& table, bool postgres)
{
    const QString greatest = postgres ? QStringLiteral("GREATEST") : QStringLiteral("max");
    return QStringLiteral(
               "INSERT INTO %1 (%2, %3) SELECT ?, %4(COALESCE(MAX(%5), 0) + CAST(? AS BIGINT), CAST(? AS BIGINT)) "
               "FROM %6 WHERE %5 >= ? AND %5 <= ? "
               "ON CONFLICT (%2) DO UPDATE SET %3 = %4(%1.%3 + CAST(? AS BIGINT), excluded.%3) RETURNING %3")
        .arg(Quoted(QStringLiteral("ContatoriID"), postgres), Quoted(QStringLiteral("Chiave"), postgres),
             Quoted(QStringLiteral("UltimoID"), postgres), greatest, Quoted(QStringLiteral("ID"), postgres),
             Quoted(table, postgres));
}

} // namespace

QString QtrIdAllocator::CounterKey(const QString& table, QtrIdRange range)
{
    return TableWithId(table).Name().toLower()
        + (range == QtrIdRange::Server ? QStringLiteral(":web") : QStringLiteral(":locale"));
}

qint32 QtrIdAllocator::Next(IQtrSqlSession& database, const QString& table, QtrIdRange range)
{
    return NextBlock(database, table, range, 1);
}

qint32 QtrIdAllocator::NextBlock(IQtrSqlSession& database, const QString& table, QtrIdRange range, int count)
{
    const QtrTableDef& def = TableWithId(table);
    const bool server = range == QtrIdRange::Server;
    const qint64 first = server ? kFirstServerId : 1;
    const qint64 last = server ? kLastServerId : kDesktopLimit - 1;
    const qint64 size = qMax(count, 1);
    const QString allocate = AllocateSql(def.Name(), database.IsPostgres());
    const QVariantList values{CounterKey(table, range), size, first + size - 1, first, last, size};
    // An exhausted range is refused before the counter moves past it.
    const qint64 end = ExecOnCounters(database, allocate, values, [&](qint64 end) {
        if (end - size + 1 < first || end > last)
            throw std::runtime_error(QStringLiteral("ID esauriti per la tabella %1.").arg(def.Name()).toStdString());
    });
    return static_cast<qint32>(end - size + 1);
}

qint64 QtrIdAllocator::ExecOnCounters(IQtrSqlSession& database, const QString& sql, const QVariantList& values,
                                      const std::function<void(qint64)>& check)
{
    database.Begin();
    try {
        QSqlQuery query;
        try {
            query = database.Exec(sql, values);
        } catch (...) {
            // A database older than the counters has no ContatoriID: it is
            // made then, not looked for on every one of a job's IDs.
            database.Rollback();
            database.Begin();
            EnsureCounterTable(database);
            query = database.Exec(sql, values);
        }
        const qint64 value = query.next() ? query.value(0).toLongLong() : 0;
        query.finish();
        if (check)
            check(value);
        database.Commit();
        return value;
    } catch (...) {
        database.Rollback();
        throw;
    }
}

qint32 QtrIdAllocator::Peek(IQtrSqlSession& database, const QString& table)
{
    const QtrTableDef& def = TableWithId(table);
    const bool postgres = database.IsPostgres();
    QSqlQuery query = database.Exec(QStringLiteral("SELECT MAX(%1) FROM %2")
                                        .arg(Quoted(QStringLiteral("ID"), postgres), Quoted(def.Name(), postgres)));
    return query.next() && !query.value(0).isNull() ? query.value(0).toInt() + 1 : 1;
}
