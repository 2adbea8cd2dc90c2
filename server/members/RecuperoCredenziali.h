#pragma once

#include <QString>

#include <functional>

class CAdoConnection;
class QtrTentativiAccesso;

// The password recovery: every customer row registered with an e-mail
// address gets a new random password, and one mail to that address lists
// each account's user ID and new password. The new passwords are stored
// (as hashes, the rows marked changed for the desktop) only when the mail
// was handed over; otherwise nothing changes.
class RecuperoCredenziali
{
public:
    enum class Esito { Inviata, NessunIndirizzo, Sconosciuto, NonInviata };

    using Traduci = std::function<QString(const QString& codice)>;
    // Hands the mail over (subject, body); false when it could not be.
    using Invia = std::function<bool(const QString& oggetto, const QString& corpo)>;

    RecuperoCredenziali() = delete;

    static Esito Esegui(CAdoConnection* conn, const QString& email, int lunghezza, bool numerica,
                        const Traduci& traduci, const Invia& invia);

    // How often one address may ask, and one visitor's address may ask at
    // all: each request replaces the passwords and sends a mail, so a few
    // an hour are enough, and more are refused unanswered for a while.
    static QtrTentativiAccesso& Richieste();

    // Letters then digits (digits only when numerica), from the system's
    // random source; 0 gives 6 characters.
    static QString NuovaPassword(int lunghezza, bool numerica);
};
