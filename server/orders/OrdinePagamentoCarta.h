#pragma once

#include <QString>

#include <functional>

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

    // The whole part of factor x amount, the amount given in hundredths and
    // the factor as the decimal text the shop keeps (TID); computed in
    // integers, so no binary fraction loses a unit. Throws
    // std::invalid_argument for a factor that is no decimal number.
    static qint64 ImportoPerFattore(qint64 centesimi, const QString& fattore);

    // How many card orders a visitor may send to the bank: per Session,
    // and per address in a day; below how many request passwords left the
    // merchant is warned. Set by the host that runs the shop.
    struct Limiti
    {
        int ordiniPerSessione = 3;
        int ordiniPerIndirizzo = 10;
        int sogliaPassword = 20;
    };
    static void ImpostaLimiti(const Limiti& limiti);
    static Limiti LimitiCorrenti();

    // Takes the first request password and records it against the order
    // and the amount in one transaction, so two payments at the same
    // moment never get the same one. Throws with a clear text when the
    // table is empty.
    struct Richiesta
    {
        QString password;
        int rimaste = 0;   // request passwords left after this one
    };
    static Richiesta PrendiPasswordRichiesta(CAdoConnection* conn, qint32 idOrdine, const QString& importo,
                                             const QString& indirizzo);

    // Below the threshold of request passwords left, the merchant learns
    // it twice: in the server's log now, and on the order's note, which his
    // next order download brings home. True when it warned.
    static bool AvvisaEsercente(CAdoConnection* conn, qint32 idOrdine, int rimaste);

    // True when the order is a card order of this customer and still
    // unpaid: a paid order is never sent to the bank again.
    static bool DaPagare(CAdoConnection* conn, const QString& numOrdine, qint32 idCliente);
    // True when the order carries a card authorisation.
    static bool Pagato(CAdoConnection* conn, const QString& numOrdine);

    static QString URL(const QString& codiceEsercente, qint64 importo, const QString& password,
                       const QString& numOrdine);

    struct Risposta
    {
        QString a;   // the outcome: the authorisation code, or "KO"
        QString b;   // the order number sent as d
        QString c;   // the answer password
    };

    enum class Esito { Rifiutato, Registrato, GiaRegistrato };

    // Checks the bank's answer against the order it names, whatever the
    // Session holds: the answer password must be the partner of a request
    // password given for that order, for the amount the order still costs
    // (importoOrdine of the order's ID, in the gateway's units; it may
    // throw for an order it cannot price). The answer password is used up in
    // the transaction that records the authorisation. The same answer again
    // finds the payment recorded. Anything else writes nothing.
    static Esito RegistraEsito(CAdoConnection* conn, const Risposta& risposta,
                               const std::function<QString(qint32)>& importoOrdine);
};
