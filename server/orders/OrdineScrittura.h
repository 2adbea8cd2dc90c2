#pragma once

#include "server/orders/OrdineDati.h"

#include <QDateTime>

class CAdoConnection;

// Writes one submitted order: the customer row (updated for a logged-in
// customer, new otherwise), the order row and one line per basket item,
// with their IDs from the shared allocator, in one transaction. Either all
// of it is there after Scrivi returns, or, when it throws, none of it and
// no ID was used up.
class OrdineScrittura
{
public:
    OrdineScrittura() = delete;

    static OrdineScritto Scrivi(CAdoConnection* conn, const OrdineDati& dati, const QDateTime& adesso);

    // The order number: year and month of the day followed by the ID, or
    // "T" and the ID in local mode.
    static QString NumeroOrdine(qint32 idOrdine, const QDate& giorno, bool locale);
    // The order ID within an order number the same rule made; 0 when the
    // text is no such number.
    static qint32 IDDaNumeroOrdine(const QString& numOrdine);

    // The unit price stored on a line: the web price in the list currency,
    // less its tax when the shop's prices include VAT.
    static double PrezzoRiga(const OrdineDati& dati, const OrdineRiga& riga);
    // The cash-on-delivery cost stored on the order.
    static double SpeseContrassegno(const OrdineDati& dati);

private:
    static void ScriviCliente(CAdoConnection* conn, const OrdineDati& dati, OrdineScritto& scritto);
    static qint32 DestinatarioDelCliente(CAdoConnection* conn, const OrdineDati& dati, qint32 idCliente);
    static void ScriviOrdine(CAdoConnection* conn, const OrdineDati& dati, const OrdineScritto& scritto,
                             qint32 idDestinatario, const QDateTime& adesso);
    static void ScriviRiga(CAdoConnection* conn, const OrdineDati& dati, const OrdineRiga& riga, qint32 idOrdine);
};
