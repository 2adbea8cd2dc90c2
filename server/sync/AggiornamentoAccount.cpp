#include "server/sync/AggiornamentoAccount.h"

#include "platform/ado/CAdoConnection.h"
#include "platform/password/CPasswordHash.h"
#include "recordset/schema/ShopSchemaDdl.h"
#include "server/core/Funzioni.h"
#include "server/sync/AggiornamentoAccesso.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QUuid>

#include <stdexcept>

namespace {

void CreaDatabaseHost(const QString& cartella)
{
    if (QFile::exists(cartella + QStringLiteral("/sqlserver.ini")) || QFile::exists(cartella + QStringLiteral("/database.mdb")))
        return;
    if (!QDir().mkpath(cartella))
        throw std::runtime_error(QStringLiteral("Impossibile creare %1").arg(cartella).toStdString());
    const QString nome = QUuid::createUuid().toString();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nome);
        db.setDatabaseName(cartella + QStringLiteral("/database.mdb"));
        if (!db.open())
            throw std::runtime_error("Impossibile creare il database degli account");
        for (const QString& statement : ShopSchemaDdl::SqliteStatements(QtrDbFile::Host)) {
            QSqlQuery query(db);
            if (!query.exec(statement))
                throw std::runtime_error("Impossibile creare le tabelle degli account");
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(nome);
}

} // namespace

AggiornamentoAccount::AggiornamentoAccount(const QString& hostDbFolder) : m_cartella(hostDbFolder)
{
    CreaDatabaseHost(m_cartella);
}

void AggiornamentoAccount::AggiungiNegozio(const QString& codice, const QString& cartella)
{
    static const QRegularExpression nomeSemplice(QStringLiteral("^[A-Za-z0-9][A-Za-z0-9._-]*$"));
    if (codice.isEmpty())
        throw std::invalid_argument("Il codice del negozio non puo' essere vuoto");
    if (!nomeSemplice.match(cartella).hasMatch() || cartella.contains(QLatin1String("..")))
        throw std::invalid_argument(QStringLiteral("Cartella non valida: %1").arg(cartella).toStdString());
    CAdoConnection db;
    db.Open(Funzioni::StringaConnessione(m_cartella));
    db.BeginTrans();
    QSqlQuery esistente = db.Run(QStringLiteral("SELECT CodiceUtente FROM Utenti WHERE CodiceUtente=?"), {codice});
    const bool presente = esistente.next();
    esistente.finish();
    if (presente) {
        db.RollbackTrans();
        throw std::invalid_argument(QStringLiteral("Il negozio %1 esiste gia'").arg(codice).toStdString());
    }
    db.Execute(QStringLiteral("INSERT INTO Utenti (CodiceUtente, Password, Directory, CreditoSMS) VALUES (?,?,?,0)"),
               {codice, QString(), cartella});
    db.CommitTrans();
}

void AggiornamentoAccount::ImpostaPassword(const QString& codice, const QString& password)
{
    if (password.isEmpty())
        throw std::invalid_argument("La password non puo' essere vuota");
    const QString hash = CPasswordHash::Hash(password);
    CAdoConnection db;
    db.Open(Funzioni::StringaConnessione(m_cartella));
    if (db.Execute(QStringLiteral("UPDATE Utenti SET Password=? WHERE CodiceUtente=?"), {hash, codice}) == 0)
        throw std::invalid_argument(QStringLiteral("Negozio sconosciuto: %1").arg(codice).toStdString());
    AggiornamentoAccesso::Dimentica();
}
