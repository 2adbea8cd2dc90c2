#pragma once

#include "server/sms/SmsDocumento.h"

#include <QByteArray>
#include <QString>

// The SMS gateway the relay sends through, and the account it logs in with
// there: one for the whole server, read from its configuration at start
// ([sms] in qtr50d.ini).
class SmsGateway
{
public:
    struct Account
    {
        QString indirizzo;   // with its scheme: "https://gateway.example"
        QString utente;
        QString password;
        int secondi = 30;    // how long a message may wait for the gateway
    };

    static void ImpostaAccount(const Account& account);
    static Account AccountImpostato();

    // Posts one message to <indirizzo>/xml/sendsms.cfm and reads the
    // gateway's answer. Throws std::runtime_error when no gateway is
    // configured, it cannot be reached, it does not answer 200, or its
    // answer is not the expected XML.
    static SmsDocumento::Esito Invia(const SmsDocumento::Messaggio& messaggio);

private:
    static QByteArray Post(const Account& account, const QByteArray& body);
};
