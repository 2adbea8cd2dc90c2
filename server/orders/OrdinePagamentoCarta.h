#pragma once

#include <QString>

class CAdoConnection;

// The card payment through the bank's one-time-password gateway: the
// amount in the gateway's whole units, the request password taken from
// OTPRichieste, the address the shopper's browser is sent to, and the
// check of the answer the bank sends back. The shopper types the card on
// the bank's page; the shop never sees it.
class OrdinePagamentoCarta
{
public:
    OrdinePagamentoCarta() = delete;

    // The bank's payment host ("https://pagamenti.banca.example"), set by
    // the host that runs the shop; asking for it before throws.
    static void ImpostaIndirizzoBanca(const QString& indirizzo);
    static QString IndirizzoBanca();

    // An amount in exact hundredths, half up (0.29 is 29, never 28).
    static qint64 Centesimi(double importo);
    // The whole part of factor x amount, the amount given in hundredths and
    // the factor as the decimal text the shop keeps (TID); computed in
    // integers, so no binary fraction loses a unit. Throws
    // std::invalid_argument for a factor that is no decimal number.
    static qint64 ImportoPerFattore(qint64 centesimi, const QString& fattore);

    // Takes the first request password and deletes it in one step: two
    // payments at the same moment never get the same one. Throws with a
    // clear text when the table is empty.
    static QString PrendiPasswordRichiesta(CAdoConnection* conn);

    // True when the Session's order is the visitor's own and still unpaid:
    // a paid order is never sent to the bank again.
    static bool DaPagare(CAdoConnection* conn, const QString& numOrdine, qint32 idCliente);

    static QString URL(const QString& codiceEsercente, qint64 importo, const QString& password,
                       const QString& numOrdine);

    struct Risposta
    {
        QString a;   // the outcome: the authorisation code, or "KO"
        QString b;   // the order number sent as d
        QString c;   // the answer password
    };

    // Checks the bank's answer against the visitor's own order (the
    // Session's order number and customer) and records the authorisation
    // when it is genuine: its answer password is taken and deleted in the
    // same transaction that writes the order. Anything else, a refusal
    // included, writes nothing and returns false.
    static bool RegistraEsito(CAdoConnection* conn, const Risposta& risposta, const QString& numOrdSessione,
                              qint32 idClienteSessione);
};
