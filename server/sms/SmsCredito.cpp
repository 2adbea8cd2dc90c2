#include "server/sms/SmsCredito.h"

#include "platform/ado/CAdoConnection.h"

#include <QSqlQuery>
#include <QVariant>

SmsCredito::SmsCredito(CAdoConnection& host, const QString& codiceUtente) : m_host(host), m_codice(codiceUtente) {}

qint64 SmsCredito::Disponibile() const
{
    QSqlQuery query = m_host.Run(QStringLiteral("SELECT CreditoSMS FROM Utenti WHERE CodiceUtente=?"), {m_codice});
    return query.next() ? query.value(0).toLongLong() : 0;
}

bool SmsCredito::Preleva()
{
    return m_host.Execute(QStringLiteral("UPDATE Utenti SET CreditoSMS=CreditoSMS-1 WHERE CodiceUtente=? AND CreditoSMS>0"),
                          {m_codice})
           == 1;
}

void SmsCredito::Restituisci()
{
    m_host.Execute(QStringLiteral("UPDATE Utenti SET CreditoSMS=CreditoSMS+1 WHERE CodiceUtente=?"), {m_codice});
}
