#pragma once

#include <QString>

class CAdoConnection;

// The login of every desktop-facing request: the account of the host
// database (table Utenti) with that user code, its Argon2id password hash
// checked in constant time.
//
// The desktop logs in with every request, and an upload posts one request
// per row; checking a hash costs tens of milliseconds. A login that
// succeeded is therefore remembered for a minute by this process, as a
// keyed digest of user code, password and stored hash under a key drawn at
// random when the process starts: no password is kept, the record cannot be
// checked offline, and it stops matching the moment the stored hash changes.
class AggiornamentoAccesso
{
public:
    struct Esito
    {
        bool riuscito = false;
        QString cartella;   // Utenti.Directory
        QString errore;     // the reply for a failed login
    };

    // indirizzo: the caller's address, for the pause after failed logins.
    static Esito Controlla(CAdoConnection& host, const QString& codiceUtente, const QString& password,
                           const QString& indirizzo = QString());

    // Drops what the process remembers (tests; a changed account); the
    // pauses after failed logins stay.
    static void Dimentica();

private:
    static QByteArray Impronta(const QString& codiceUtente, const QString& password, const QString& hash);
    static bool Ricorda(const QByteArray& impronta);
    static void Memorizza(const QByteArray& impronta);
};
