#pragma once

#include "server/orders/IOrdineCifraturaCarta.h"
#include "server/orders/OrdinePagamentoCarta.h"
#include "server/orders/OrdineRichiesteBanca.h"

#include <functional>
#include <memory>

class CAdoConnection;

// The card payment through the bank's encrypted-string gateway: the
// component that encrypts and decrypts comes from the factory the host
// installs (the bank's connector); without one, creating it fails as a
// missing component does.
class OrdineCifraturaCarta
{
public:
    OrdineCifraturaCarta() = delete;

    using Fabbrica = std::function<std::unique_ptr<IOrdineCifraturaCarta>()>;
    static void ImpostaFabbrica(Fabbrica fabbrica);
    // Null when no component is installed.
    static std::unique_ptr<IOrdineCifraturaCarta> Crea();

    // The error number a failed creation leaves in ErrorGestPay.
    static constexpr int kErroreCreazione = 429;

    // The amount as the component takes it: euro with a decimal point and
    // two decimals, whole lire, or empty for another currency; test mode
    // asks for 0.5 euro or 1000 lire.
    static QString Importo(int valuta, bool prova, const OrdineRichiesteBanca::Totale& totale);

    // Encrypts the payment; error receives the component's error code
    // (0 when none). The address carries empty values after an error.
    static QString URL(IOrdineCifraturaCarta& componente, const QString& login, int valuta, const QString& importo,
                       const QString& numOrdine, int& errore);

    // Reads the bank's answer and records the authorisation when it is a
    // payment to this shop (login, the shop's own merchant code) of the
    // order it names, for the amount that order was sent to the bank with
    // and still costs (importo, as Importo gives it), whatever the Session
    // holds. importoOrdine gives that amount for an order ID. The same
    // answer again finds the payment recorded; anything else writes nothing.
    static OrdinePagamentoCarta::Esito RegistraEsito(CAdoConnection* conn, IOrdineCifraturaCarta& componente,
                                                     const QString& login, const QString& cifrato,
                                                     const QString& loginNegozio,
                                                     const std::function<QString(qint32)>& importoOrdine);
};
