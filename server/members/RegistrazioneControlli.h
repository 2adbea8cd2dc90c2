#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <functional>

// What a registration or profile form brought, as the checks see it.
struct RegistrazioneModulo
{
    QHash<QString, QString> campi;   // the 14 address fields by name
    QString note, password, conferma;
    bool interesseScelto = false;
    int tipo = 0;                    // the kind of the customer saved
};

// The shop's registration rules, from the Session.
struct RegistrazioneRegole
{
    QString campiObbligatori;        // "#Cognome#Email#": each listed name between "#"
    int lunghezzaMinimaPassword = 0;
    bool passwordNumerica = false;
    bool controlloCFPI = false;
    bool nuovo = true;               // a new customer (the CFPI duplicate search)
};

// The registration's checks in their fixed order. Every failing check is
// listed and the last one is the message the visitor reads. The password
// checks hold for a new customer as for an update; an e-mail address must
// be one the mail client can send to.
class RegistrazioneControlli
{
public:
    // giaRegistrato(colonna, valore): another customer row holds the value.
    using Duplicato = std::function<bool(const QString& colonna, const QString& valore)>;

    RegistrazioneControlli() = delete;

    static QStringList Falliti(const RegistrazioneModulo& modulo, const RegistrazioneRegole& regole,
                               const Duplicato& giaRegistrato);
    static QString UltimoFallito(const RegistrazioneModulo& modulo, const RegistrazioneRegole& regole,
                                 const Duplicato& giaRegistrato);

    static constexpr int kLunghezzaPassword = 20;
    static constexpr int kLunghezzaNote = 2000;
    static constexpr int kTipoMailing = 2;
};
