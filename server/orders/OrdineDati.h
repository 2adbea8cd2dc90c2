#pragma once

#include "server/orders/OrdineAddebito.h"

#include <QList>
#include <QPair>
#include <QString>

// One basket item as the order stores and mails it: the basket's values
// after LeggiOggetto, prices in the web currency.
struct OrdineRiga
{
    qint32 idProdotto = 0;
    QString codiceProdotto, nomeProdotto, descrizioneFattura, descrizioneBreve;
    qint32 idColore = 0;
    QString codiceColore, taglia, um;
    float quantita = 0;
    double prezzo = 0;     // unit price, web currency
    double imposta = 0;    // unit tax, web currency
    float iva = 0;         // VAT percentage
    float peso = 0;
    QList<QPair<QString, QString>> campiUtente;   // name, value
    QString fPrezzo, fPrezzoInEuro, fImporto, fImportoInEuro;
};

// The buyer's or the consignee's address block of the checkout.
struct OrdineAnagrafica
{
    QString ragioneSociale, cognome, nome, indirizzo, cap, localita, provincia, stato;
    QString telefono, email, cfpi;   // the buyer's only
};

// Everything one submission writes, gathered before the first write, so
// the writing itself reads neither the Session nor the basket.
struct OrdineDati
{
    qint32 idUtente = 0;         // the logged-in customer, 0 for a visitor
    qint32 idDestinatario = 0;   // the consignee's own Clienti row, 0 when none
    bool credenziali = false;    // FlagUserID: a new customer gets a login
    bool locale = false;         // local mode: order numbers "T" + ID
    OrdineAnagrafica acquirente, destinatario;
    QString note, tipoPagamento, codiceLingua;
    double fcEuro2Web = 0, fcListino2Euro = 0, arrotondamento = 0;
    double ivaSpedizioni = 0;
    bool prezziIvaCompresa = false;
    double speseSpedizioneVL = 0;
    double speseContrassegnoVL = 0;   // VAT included, as the basket gives it
    bool esenzioneIVA = false;
    QList<OrdineRiga> righe;
    OrdineAddebito addebito;   // what the summary showed, stored as it is
};

// What the submission wrote, for the Session and the mails.
struct OrdineScritto
{
    qint32 idCliente = 0;
    qint32 idOrdine = 0;
    QString numOrdine;
    bool nuovoCliente = false;
    QString userID;              // the customer's login, when one is known
    QString passwordGenerata;    // only when made now, never read back
    double speseContrassegno = 0;   // as stored: list currency, net of VAT unless exempt
};
