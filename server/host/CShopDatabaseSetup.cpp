#include "server/host/CShopDatabaseSetup.h"

#include "server/core/CAdoSqlSession.h"
#include "server/core/Funzioni.h"
#include "platform/ado/CAdoConnection.h"
#include "recordset/schema/ShopSchemaDdl.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QSqlQuery>
#include <QSqlRecord>

#include <stdexcept>

namespace {

[[noreturn]] void Fail(const QString& message) { throw std::runtime_error(message.toStdString()); }

QSet<QString> LowerCaseTables(const CAdoConnection& db)
{
    QSet<QString> names;
    for (const QString& table : db.Database().tables())
        names.insert(table.toLower());
    return names;
}

} // namespace

QString CShopDatabaseSetup::PostgresConnectionString() const
{
    if (!QFileInfo::exists(QDir(m_dbFolder).filePath(QStringLiteral("sqlserver.ini"))))
        Fail(QStringLiteral("Il negozio non è su PostgreSQL: manca %1/sqlserver.ini").arg(m_dbFolder));
    return Funzioni::StringaConnessione(m_dbFolder);
}

void CShopDatabaseSetup::CreateSchema() const
{
    CAdoConnection db;
    db.Open(PostgresConnectionString());
    const QSet<QString> present = LowerCaseTables(db);
    for (const QtrTableDef* table : ShopSchema::TablesOf(QtrDbFile::Shop))
        if (present.contains(table->Name().toLower()))
            Fail(QStringLiteral("La tabella %1 c'è già: le tabelle del negozio non sono state toccate").arg(table->Name()));
    CAdoSqlSession session(db);
    ShopSchemaDdl::CreateTables(session, QtrDbFile::Shop);
}

int CShopDatabaseSetup::LoadRows(const QString& sqliteFile) const
{
    if (!QFileInfo(sqliteFile).isFile())
        Fail(QStringLiteral("File non trovato: %1").arg(sqliteFile));
    CAdoConnection target;
    target.Open(PostgresConnectionString());
    CAdoConnection source;
    source.Open(QStringLiteral("DBQ=%1;").arg(QFileInfo(sqliteFile).absoluteFilePath()));
    const QSet<QString> inTarget = LowerCaseTables(target);
    const QSet<QString> inSource = LowerCaseTables(source);
    CAdoSqlSession session(target);
    int copied = 0;
    session.Begin();
    try {
        for (const QtrTableDef* table : ShopSchema::TablesOf(QtrDbFile::Shop)) {
            const QString name = table->Name();
            if (!inTarget.contains(name.toLower()))
                Fail(QStringLiteral("Manca la tabella %1 in PostgreSQL: prima --create-schema").arg(name));
            if (!inSource.contains(name.toLower()))
                continue;
            QSqlQuery rows = session.Exec(QStringLiteral("SELECT COUNT(*) FROM %1").arg(name));
            if (rows.next() && rows.value(0).toLongLong() > 0)
                Fail(QStringLiteral("La tabella %1 in PostgreSQL ha già delle righe: nessuna riga caricata").arg(name));
            // The columns both sides have: an older file may lack newer ones.
            const QSqlRecord sourceColumns = source.Database().record(name);
            QStringList columns;
            for (const QString& column : table->ColumnNames())
                if (sourceColumns.indexOf(column) >= 0)
                    columns.append(column);
            if (columns.isEmpty())
                continue;
            QStringList marks;
            for (qsizetype i = 0; i < columns.size(); ++i)
                marks.append(QStringLiteral("?"));
            const QString insert = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                       .arg(name, columns.join(QLatin1Char(',')), marks.join(QLatin1Char(',')));
            QSqlQuery read(source.Database());
            read.setForwardOnly(true);
            if (!read.exec(QStringLiteral("SELECT %1 FROM %2").arg(columns.join(QLatin1Char(',')), name)))
                Fail(QStringLiteral("%1: lettura non riuscita").arg(name));
            while (read.next()) {
                QVariantList values;
                for (qsizetype i = 0; i < columns.size(); ++i)
                    values.append(read.value(int(i)));
                session.Exec(insert, values);
                ++copied;
            }
        }
        session.Commit();
    } catch (...) {
        session.Rollback();
        throw;
    }
    return copied;
}
