#include "recordset/schema/QtrDataGeneration.h"

#include "recordset/schema/QtrIdAllocator.h"

namespace {

// Names as the schema's DDL makes them: lower case on PostgreSQL.
QString Name(const char* name, bool postgres)
{
    const QString text = QString::fromLatin1(name);
    return QLatin1Char('"') + (postgres ? text.toLower() : text) + QLatin1Char('"');
}

} // namespace

void QtrDataGeneration::Raise(IQtrSqlSession& database)
{
    const bool postgres = database.IsPostgres();
    const QString table = Name("ContatoriID", postgres);
    const QString value = Name("UltimoID", postgres);
    QtrIdAllocator::ExecOnCounters(
        database,
        QStringLiteral("INSERT INTO %1 (%2, %3) VALUES (?, 1) ON CONFLICT (%2) DO UPDATE SET %3 = %1.%3 + 1 "
                       "RETURNING %3")
            .arg(table, Name("Chiave", postgres), value),
        {Key()});
}
