#pragma once

#include <QHash>
#include <QSet>
#include <QString>

class CAdoConnection;

// A checked registration or profile form, ready to be stored.
struct RegistrazioneDati
{
    qint32 idUtente = 0;             // 0: a new customer
    qint32 idAgente = 0;             // a new customer's agent
    qint32 idGruppo = 0;             // a new customer's group
    int tipo = 0;                    // a new customer's kind
    QHash<QString, QString> campi;   // the 14 address fields by name
    QString codiceLingua;
    QString password;                // typed; empty keeps the stored one
    bool generaCredenziali = false;  // a new customer gets a user ID and a password
    int lunghezzaPassword = 0;
    bool passwordNumerica = false;
    bool copiaPermessi = false;      // a new customer gets the anonymous visitor's rights
    QString impostaInteressi;        // empty: interests untouched; "Tutti": every one
    QSet<qint32> interessiScelti;
};

struct RegistrazioneEsito
{
    qint32 idUtente = 0;
    QString userID;
    QString passwordGenerata;        // empty when none was made
};

// Stores a registration in one transaction: the customer row (new, or the
// existing one's data, language and typed password), a new customer's
// user ID and password and his copy of the anonymous visitor's rights,
// and the chosen interests (the replaced rows logged as deleted). New rows
// take IDs of the shop's range; passwords are stored as hashes.
class RegistrazioneScrittura
{
public:
    RegistrazioneScrittura() = delete;

    static RegistrazioneEsito Scrivi(CAdoConnection* conn, const RegistrazioneDati& dati);

private:
    static void Aggiorna(CAdoConnection* conn, const RegistrazioneDati& dati);
    static void Inserisci(CAdoConnection* conn, const RegistrazioneDati& dati, RegistrazioneEsito& esito);
    static void CopiaPermessi(CAdoConnection* conn, qint32 idUtente);
    static void ScriviInteressi(CAdoConnection* conn, const RegistrazioneDati& dati, qint32 idUtente);
};
