#include "platform/ado/testing/CAdoTestDatabase.h"

#include "platform/ado/CAdoException.h"
#include "platform/testing/PgTestCluster.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <stdexcept>

CAdoTestDatabase::CAdoTestDatabase(CAdoConnection::Engine engine) : m_engine(engine)
{
    if (engine == CAdoConnection::SQLite) {
        const QString file = m_folder.FilePath(QStringLiteral("database.mdb"));
        QFile(file).open(QIODevice::WriteOnly);   // an empty file is an empty SQLite database
        m_connectionString = QStringLiteral("DBQ=%1;Driver={SQLite}").arg(file);
        return;
    }
    PgTestCluster& cluster = PgTestCluster::Instance();
    m_pgDatabase = cluster.CreateDatabase(QStringLiteral("shop"));
    if (m_pgDatabase.isEmpty())
        throw std::runtime_error(("PostgreSQL di prova non disponibile: " + cluster.Error()).toStdString());
    m_connectionString = cluster.ConnectionString(m_pgDatabase);
    m_folder.WriteFile(QStringLiteral("sqlserver.ini"), m_connectionString.toUtf8() + "\r\n");
}

CAdoTestDatabase::~CAdoTestDatabase()
{
    if (!m_pgDatabase.isEmpty())
        PgTestCluster::Instance().DropDatabase(m_pgDatabase);
}

void CAdoTestDatabase::Execute(const QStringList& statements) const
{
    const auto connection = Connect();
    QSqlQuery query(connection->Database());
    for (const QString& statement : statements)
        if (!query.exec(statement))
            throw CAdoException(query.lastError().text() + QStringLiteral(" in: ") + statement);
}

std::unique_ptr<CAdoConnection> CAdoTestDatabase::Connect() const
{
    auto connection = std::make_unique<CAdoConnection>();
    connection->Open(m_connectionString);
    return connection;
}

const char* CAdoTestDatabase::EngineName(CAdoConnection::Engine engine)
{
    return engine == CAdoConnection::SQLite ? "SQLite" : "PostgreSQL";
}
