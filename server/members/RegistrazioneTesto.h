#pragma once

#include <QHash>
#include <QString>

#include <functional>

// The texts of the registration's two mails. A generated password is in
// the member's own copy only; the merchant's copy names the user ID.
class RegistrazioneTesto
{
public:
    using Traduci = std::function<QString(const QString& codice)>;

    struct Dati
    {
        QHash<QString, QString> campi;   // the 14 address fields by name
        QString note, ulterioriNote;
        QString userID;                  // a generated user ID, else empty
        QString password;                // the generated password, else empty
    };

    explicit RegistrazioneTesto(Traduci traduci) : m_traduci(std::move(traduci)) {}

    static QString OggettoEsercente() { return QStringLiteral("Registrazione utente"); }
    QString CorpoEsercente(const Dati& dati) const;
    QString OggettoCliente() const;
    // conferma: the confirmation's message code (new or updated).
    QString CorpoCliente(const Dati& dati, const QString& conferma) const;

private:
    QString Riepilogo(const Dati& dati, bool conPassword) const;
    QString Riga(const char* etichetta, const QString& valore) const;

    Traduci m_traduci;
};
