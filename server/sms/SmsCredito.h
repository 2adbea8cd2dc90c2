#pragma once

#include <QString>

class CAdoConnection;

// An account's SMS credit (Utenti.CreditoSMS on the host database). A
// message takes its credit before it goes to the gateway, in one
// conditional statement, so that messages sent at the same moment never
// spend more than there is; a message the gateway did not take gives it
// back.
class SmsCredito
{
public:
    SmsCredito(CAdoConnection& host, const QString& codiceUtente);

    qint64 Disponibile() const;
    // False when the credit is 0 or less; then nothing changed.
    bool Preleva();
    void Restituisci();

private:
    CAdoConnection& m_host;
    QString m_codice;
};
