#include "platform/ado/CAdoConnection.h"

#include "platform/ado/CAdoConnectionPool.h"
#include "platform/ado/CAdoException.h"

#include <QAtomicInteger>
#include <QDateTime>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlError>
#include <QStringList>

namespace {

QString NextConnectionName()
{
    static QAtomicInteger<quint64> counter;
    return QStringLiteral("qtrado-%1").arg(++counter);
}

QString EngineMessage(const QSqlError& error)
{
    QString text = error.databaseText().trimmed();
    if (text.isEmpty())
        text = error.text().trimmed();
    return text;
}

// The value of KEY=value in a "KEY=value;KEY=value" text, or a null string.
QString OdbcValue(const QString& connectionString, const QString& key)
{
    for (const QString& part : connectionString.split(QLatin1Char(';'))) {
        const int eq = part.indexOf(QLatin1Char('='));
        if (eq > 0 && part.left(eq).trimmed().compare(key, Qt::CaseInsensitive) == 0)
            return part.mid(eq + 1).trimmed();
    }
    return QString();
}

// The pairs of a libpq connection string: key = value, value bare or in
// single quotes with backslash escapes.
QList<QPair<QString, QString>> LibpqPairs(const QString& text)
{
    QList<QPair<QString, QString>> pairs;
    int i = 0;
    const int n = text.size();
    while (i < n) {
        while (i < n && text[i].isSpace())
            ++i;
        if (i >= n)
            break;
        const int keyStart = i;
        while (i < n && text[i] != QLatin1Char('=') && !text[i].isSpace())
            ++i;
        const QString key = text.mid(keyStart, i - keyStart);
        while (i < n && text[i].isSpace())
            ++i;
        if (i >= n || text[i] != QLatin1Char('='))
            throw CAdoException(QStringLiteral("Stringa di connessione non valida: %1").arg(text));
        ++i;
        while (i < n && text[i].isSpace())
            ++i;
        QString value;
        if (i < n && text[i] == QLatin1Char('\'')) {
            ++i;
            while (i < n && text[i] != QLatin1Char('\'')) {
                if (text[i] == QLatin1Char('\\') && i + 1 < n)
                    ++i;
                value += text[i++];
            }
            if (i >= n)
                throw CAdoException(QStringLiteral("Stringa di connessione non valida: %1").arg(text));
            ++i;
        } else {
            while (i < n && !text[i].isSpace())
                value += text[i++];
        }
        pairs.append({key.toLower(), value});
    }
    return pairs;
}

} // namespace

CAdoConnection::CAdoConnection(QObject* parent) : QObject(parent) {}

CAdoConnection::~CAdoConnection() { Close(); }

void CAdoConnection::Open(const QString& connectionString)
{
    Close();
    if (std::optional<CAdoConnectionPool::Entry> kept = CAdoConnectionPool::Take(connectionString)) {
        m_name = kept->name;
        m_engine = kept->postgres ? PostgreSQL : SQLite;
        m_prepared = std::move(kept->prepared);
        m_connectionString = connectionString;
        return;
    }
    m_connectionString = connectionString;
    if (!OdbcValue(connectionString, QStringLiteral("DBQ")).isNull())
        OpenSqlite(connectionString);
    else
        OpenPostgres(connectionString);
}

void CAdoConnection::OpenSqlite(const QString& connectionString)
{
    const QString path = OdbcValue(connectionString, QStringLiteral("DBQ"));
    if (!QFileInfo(path).isFile())
        throw CAdoException(QStringLiteral("Impossibile trovare il file '%1'.").arg(path));
    m_engine = SQLite;
    m_name = NextConnectionName();
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
    db.setDatabaseName(path);
    // Pages of many visitors write at once; a writer waits for another
    // instead of failing at the first collision.
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
    Finish(db);
}

void CAdoConnection::OpenPostgres(const QString& connectionString)
{
    m_engine = PostgreSQL;
    m_name = NextConnectionName();
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), m_name);
    QStringList options;
    try {
        for (const auto& [key, value] : LibpqPairs(connectionString)) {
            if (key == QLatin1String("host") || key == QLatin1String("hostaddr"))
                db.setHostName(value);
            else if (key == QLatin1String("port"))
                db.setPort(value.toInt());
            else if (key == QLatin1String("dbname"))
                db.setDatabaseName(value);
            else if (key == QLatin1String("user"))
                db.setUserName(value);
            else if (key == QLatin1String("password"))
                db.setPassword(value);
            else
                options << key + QLatin1Char('=') + value;
        }
    } catch (...) {
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_name);
        m_name.clear();
        throw;
    }
    db.setConnectOptions(options.join(QLatin1Char(';')));
    Finish(db);
}

void CAdoConnection::Finish(QSqlDatabase& db)
{
    if (!db.open()) {
        const QString message = EngineMessage(db.lastError());
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_name);
        m_name.clear();
        throw CAdoException(message);
    }
}

void CAdoConnection::Close()
{
    if (m_name.isEmpty())
        return;
    if (m_transDepth > 0) {
        QSqlQuery(QSqlDatabase::database(m_name, false)).exec(QStringLiteral("ROLLBACK"));
        m_transDepth = 0;
    }
    CAdoConnectionPool::Entry entry{m_name, m_engine == PostgreSQL, std::move(m_prepared)};
    m_prepared.clear();
    m_name.clear();
    CAdoConnectionPool::Give(m_connectionString, std::move(entry));
    emit Closed();
}

bool CAdoConnection::IsOpen() const { return !m_name.isEmpty(); }

QSqlDatabase CAdoConnection::Database() const
{
    if (m_name.isEmpty())
        throw CAdoException(QStringLiteral("La connessione al database non è aperta."));
    return QSqlDatabase::database(m_name, false);
}

QString CAdoConnection::Rewrite(const QString& jetSql) const
{
    try {
        return CJetSql(m_engine == PostgreSQL ? CJetSql::PostgreSQL : CJetSql::SQLite).Rewrite(jetSql);
    } catch (const std::invalid_argument& error) {
        throw CAdoException(QString::fromUtf8(error.what()));
    }
}

QVariant CAdoConnection::BindValue(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::QDateTime:
        return value.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    case QMetaType::QDate:
        return value.toDate().toString(QStringLiteral("yyyy-MM-dd 00:00:00"));
    case QMetaType::Bool:
        return value.toBool() ? 1 : 0;
    default:
        return value;
    }
}

QSqlQuery CAdoConnection::Run(const QString& jetSql, const QVariantList& params)
{
    QSqlQuery query(Database());
    query.setForwardOnly(true);
    const QString sql = Rewrite(jetSql);
    // PostgreSQL prepares only queries and changes, so statements without
    // values (DDL among them) run as they are.
    if (params.isEmpty()) {
        if (!query.exec(sql))
            throw CAdoException(EngineMessage(query.lastError()));
        return query;
    }
    if (!query.prepare(sql))
        throw CAdoException(EngineMessage(query.lastError()));
    for (int i = 0; i < params.size(); ++i)
        query.bindValue(i, BindValue(params[i]));
    if (!query.exec())
        throw CAdoException(EngineMessage(query.lastError()));
    return query;
}

QSqlQuery& CAdoConnection::RunPrepared(const QString& jetSql, const QVariantList& params)
{
    auto it = m_prepared.find(jetSql);
    if (it == m_prepared.end()) {
        QSqlQuery query(Database());
        // Callers read every row at once. PostgreSQL's driver reads a
        // forward-only query a row at a time, each row a result of its own:
        // there, the whole result comes in one.
        query.setForwardOnly(m_engine != PostgreSQL);
        if (!query.prepare(Rewrite(jetSql)))
            throw CAdoException(EngineMessage(query.lastError()));
        it = m_prepared.insert(jetSql, query);
    }
    QSqlQuery& query = it.value();
    for (int i = 0; i < params.size(); ++i)
        query.bindValue(i, BindValue(params[i]));
    if (!query.exec())
        throw CAdoException(EngineMessage(query.lastError()));
    return query;
}

int CAdoConnection::Execute(const QString& jetSql, const QVariantList& params)
{
    if (params.isEmpty())
        return Run(jetSql, params).numRowsAffected();
    QSqlQuery& query = RunPrepared(jetSql, params);
    const int changed = query.numRowsAffected();
    query.finish();
    return changed;
}

void CAdoConnection::RunPlain(const QString& sql)
{
    QSqlQuery query(Database());
    if (!query.exec(sql))
        throw CAdoException(EngineMessage(query.lastError()));
}

void CAdoConnection::BeginTrans()
{
    if (m_transDepth == 0)
        RunPlain(m_engine == SQLite ? QStringLiteral("BEGIN IMMEDIATE") : QStringLiteral("BEGIN"));
    else
        RunPlain(QStringLiteral("SAVEPOINT qtr%1").arg(m_transDepth));
    ++m_transDepth;
}

void CAdoConnection::CommitTrans()
{
    if (m_transDepth == 0)
        throw CAdoException(QStringLiteral("Nessuna transazione aperta."));
    --m_transDepth;
    if (m_transDepth == 0)
        RunPlain(QStringLiteral("COMMIT"));
    else
        RunPlain(QStringLiteral("RELEASE SAVEPOINT qtr%1").arg(m_transDepth));
}

void CAdoConnection::RollbackTrans()
{
    if (m_transDepth == 0)
        throw CAdoException(QStringLiteral("Nessuna transazione aperta."));
    --m_transDepth;
    if (m_transDepth == 0) {
        RunPlain(QStringLiteral("ROLLBACK"));
    } else {
        RunPlain(QStringLiteral("ROLLBACK TO SAVEPOINT qtr%1").arg(m_transDepth));
        RunPlain(QStringLiteral("RELEASE SAVEPOINT qtr%1").arg(m_transDepth));
    }
}
