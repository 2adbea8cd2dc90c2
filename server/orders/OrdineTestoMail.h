#pragma once

#include "server/orders/OrdineDati.h"

#include <functional>

// The shop's own data at the head of the customer's confirmation.
struct OrdineAzienda
{
    QString ragioneSociale, indirizzo, cap, localita, provincia, stato;
    QString telefonoOrdini, fax, partitaIVA, registroImprese;
};

// The texts of the two order mails: the merchant's notification (the
// Session's BodyMail) and the customer's confirmation around it. Labels
// come from the dictionary through traduci; amounts are formatted with the
// shop's regional settings.
class OrdineTestoMail
{
public:
    using Traduttore = std::function<QString(const QString& codice)>;

    struct Opzioni
    {
        QString simboloValuta;
        bool prezziInEuro = false;
        bool credenziali = false;   // FlagUserID
        QString ulterioriNote;
    };

    OrdineTestoMail(Traduttore traduci, Opzioni opzioni);

    // The merchant's notification. A password never goes in it: it goes to
    // the merchant too; only a login's name does.
    // Its totals are the ones the order stores (dati.addebito).
    QString CorpoEsercente(const OrdineDati& dati, const OrdineScritto& scritto) const;

    // The customer's confirmation around the notification; the password
    // made for a new customer, when given, is shown to him this once.
    QString CorpoCliente(const OrdineAzienda& azienda, const QString& corpoEsercente, const QString& testoNotifica,
                         const QString& passwordGenerata) const;

    // The payment kind's name for the visitor.
    QString NomePagamento(const QString& tipo) const;

private:
    QString Acquirente(const OrdineDati& dati, const OrdineScritto& scritto) const;
    QString Destinatario(const OrdineAnagrafica& d) const;
    QString Riga(const OrdineRiga& r) const;
    QString Riepilogo(const OrdineDati& dati) const;
    QString ConEuro(const QString& testo, const QString& euro) const;

    Traduttore m_traduci;
    Opzioni m_opzioni;
};
