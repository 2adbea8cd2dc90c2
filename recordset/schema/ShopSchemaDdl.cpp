#include "recordset/schema/ShopSchemaDdl.h"

#include <QSet>

namespace {

enum class Dialect { Sqlite, Postgres };

QString SqlType(QtrColumnKind kind, Dialect dialect)
{
    const bool pg = dialect == Dialect::Postgres;
    switch (kind) {
    case QtrColumnKind::Long: return QStringLiteral("INTEGER");
    case QtrColumnKind::Short:
    case QtrColumnKind::Byte:
    case QtrColumnKind::Bool: return pg ? QStringLiteral("SMALLINT") : QStringLiteral("INTEGER");
    case QtrColumnKind::Single:
    case QtrColumnKind::Double: return pg ? QStringLiteral("DOUBLE PRECISION") : QStringLiteral("REAL");
    case QtrColumnKind::DateTime: return pg ? QStringLiteral("TIMESTAMP") : QStringLiteral("TEXT");
    case QtrColumnKind::Text:
    case QtrColumnKind::EText: return QStringLiteral("TEXT");
    }
    return QStringLiteral("TEXT");
}

bool IsNumeric(QtrColumnKind kind)
{
    return kind != QtrColumnKind::DateTime && kind != QtrColumnKind::Text && kind != QtrColumnKind::EText;
}

QString Quote(const QString& name, Dialect dialect)
{
    return QLatin1Char('"') + (dialect == Dialect::Postgres ? name.toLower() : name) + QLatin1Char('"');
}

// Keys people type to name one row, unique whatever their case (an empty
// one names none): the customers' user IDs.
struct CaselessKey
{
    const char* table;
    const char* column;
};
const CaselessKey kCaselessKeys[] = {{"Clienti", "UserID"}};

QStringList CaselessKeyStatements(const QString& table, Dialect dialect)
{
    QStringList statements;
    for (const CaselessKey& key : kCaselessKeys) {
        if (table != QLatin1String(key.table))
            continue;
        const QString column = Quote(QLatin1String(key.column), dialect);
        statements << QStringLiteral("CREATE UNIQUE INDEX ")
                          + Quote(QStringLiteral("ux_%1_%2").arg(table, QLatin1String(key.column)), dialect)
                          + QStringLiteral(" ON ") + Quote(table, dialect) + QStringLiteral(" (LOWER(") + column
                          + QStringLiteral(")) WHERE ") + column + QStringLiteral(" <> ''");
    }
    return statements;
}

bool IsId(const QString& column) { return column.compare(QLatin1String("ID"), Qt::CaseInsensitive) == 0; }

// PostgreSQL compares text by its bytes; this collation makes "art-0001"
// equal "ART-0001" as SQLite's NOCASE does.
const QString kPostgresNoCase = QStringLiteral(
    "CREATE COLLATION IF NOT EXISTS qtr_nocase (provider = icu, locale = 'und-u-ks-level2', deterministic = false)");

QString ColumnDefinition(const QtrColumnDef& column, bool noCase, Dialect dialect)
{
    const QString name = QString::fromLatin1(column.name);
    QString text = Quote(name, dialect) + QLatin1Char(' ') + SqlType(column.kind, dialect);
    if (noCase)
        text += dialect == Dialect::Postgres ? QStringLiteral(" COLLATE qtr_nocase") : QStringLiteral(" COLLATE NOCASE");
    if (IsId(name))
        text += dialect == Dialect::Postgres ? QStringLiteral(" NOT NULL PRIMARY KEY") : QStringLiteral(" NOT NULL");
    else if (column.key)
        text += QStringLiteral(" NOT NULL PRIMARY KEY");   // not ID: never SQLite's row alias
    else if (column.nullable)
        ;   // NULL stands for "not set"
    else if (IsNumeric(column.kind))
        text += QStringLiteral(" DEFAULT 0");   // what the shop's SQL compares and sums is never NULL
    else if (column.kind == QtrColumnKind::DateTime)
        text += QStringLiteral(" DEFAULT '1899-12-30 00:00:00'");   // a date never set is the zero date
    else
        text += QStringLiteral(" DEFAULT ''");   // nor is the text it compares
    return text;
}

QStringList Statements(const QtrTableDef& table, Dialect dialect)
{
    const QString name = table.Name();
    const QStringList noCase = ShopSchemaDdl::CaseInsensitiveColumns(table);
    QStringList columns;
    for (int i = 0; i < table.columnCount; ++i)
        columns << ColumnDefinition(table.columns[i], noCase.contains(QString::fromLatin1(table.columns[i].name)),
                                    dialect);
    QStringList statements;
    if (dialect == Dialect::Postgres && !noCase.isEmpty())
        statements << kPostgresNoCase;
    statements << QStringLiteral("CREATE TABLE ") + Quote(name, dialect) + QStringLiteral(" (")
                      + columns.join(QStringLiteral(", ")) + QLatin1Char(')');
    if (dialect == Dialect::Sqlite && table.HasId())
        statements << QStringLiteral("CREATE UNIQUE INDEX ") + Quote(QStringLiteral("ux_%1_ID").arg(name), dialect)
                          + QStringLiteral(" ON ") + Quote(name, dialect) + QStringLiteral(" (\"ID\")");
    for (const QString& column : ShopSchemaDdl::IndexedColumns(table) + noCase)
        statements << QStringLiteral("CREATE INDEX ") + Quote(QStringLiteral("ix_%1_%2").arg(name, column), dialect)
                          + QStringLiteral(" ON ") + Quote(name, dialect) + QStringLiteral(" (")
                          + Quote(column, dialect) + QLatin1Char(')');
    statements << CaselessKeyStatements(name, dialect);
    return statements;
}

QStringList StatementsOf(QtrDbFile file, Dialect dialect)
{
    QStringList statements;
    for (const QtrTableDef* table : ShopSchema::TablesOf(file))
        statements << Statements(*table, dialect);
    return statements;
}

} // namespace

QString ShopSchemaDdl::AddColumnStatement(const QtrTableDef& table, int column, bool postgres)
{
    const Dialect dialect = postgres ? Dialect::Postgres : Dialect::Sqlite;
    const QtrColumnDef& def = table.columns[column];
    const bool noCase = CaseInsensitiveColumns(table).contains(QString::fromLatin1(def.name));
    return QStringLiteral("ALTER TABLE ") + Quote(table.Name(), dialect)
           + (postgres ? QStringLiteral(" ADD COLUMN IF NOT EXISTS ") : QStringLiteral(" ADD COLUMN "))
           + ColumnDefinition(def, noCase, dialect);
}

QStringList ShopSchemaDdl::IndexedColumns(const QtrTableDef& table)
{
    // References nobody looks rows up by; an index would only slow saves.
    static const QSet<QString> unsearched = {
        QStringLiteral("IDListino"), QStringLiteral("IDUltimoBanner"), QStringLiteral("IDStatoEvaso"),
        QStringLiteral("IDStatoRicevuto"), QStringLiteral("IDModello"), QStringLiteral("IDAttributo"),
        QStringLiteral("IDColore"), QStringLiteral("IDDestinatario"), QStringLiteral("IDValuta"),
        QStringLiteral("IDTabellaTaglie"),
    };
    QStringList columns;
    for (int i = 0; i < table.columnCount; ++i) {
        const QString name = QString::fromLatin1(table.columns[i].name);
        if (table.columns[i].kind == QtrColumnKind::Long && name.startsWith(QLatin1String("ID")) && !IsId(name)
            && !unsearched.contains(name))
            columns << name;
    }
    return columns;
}

QStringList ShopSchemaDdl::CaseInsensitiveColumns(const QtrTableDef& table)
{
    const QString name = table.Name();
    if (name == QLatin1String("Prodotti") || name == QLatin1String("Categorie"))
        return {QStringLiteral("Codice"), QStringLiteral("IDEsterno")};
    return {};
}

QStringList ShopSchemaDdl::SqliteStatements(const QtrTableDef& table) { return Statements(table, Dialect::Sqlite); }

QStringList ShopSchemaDdl::SqliteStatements(QtrDbFile file) { return StatementsOf(file, Dialect::Sqlite); }

QStringList ShopSchemaDdl::PostgresStatements(const QtrTableDef& table) { return Statements(table, Dialect::Postgres); }

QStringList ShopSchemaDdl::PostgresStatements(QtrDbFile file) { return StatementsOf(file, Dialect::Postgres); }

void ShopSchemaDdl::CreateTables(IQtrSqlSession& database, QtrDbFile file)
{
    const QStringList statements = database.IsPostgres() ? PostgresStatements(file) : SqliteStatements(file);
    database.Begin();
    try {
        for (const QString& statement : statements)
            database.Exec(statement);
        database.Commit();
    } catch (...) {
        database.Rollback();
        throw;
    }
}
