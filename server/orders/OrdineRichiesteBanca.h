#pragma once

#include <QDateTime>
#include <QString>

#include <functional>
#include <optional>

class CAdoConnection;

// The record of the card orders the shop sent to the bank (PagamentiCarta):
// each request binds the order to the amount the bank was asked for and,
// on the one-time-password gateway, to the request password given, whose
// partner (the answer password with the same ID) is the only answer that
// can pay it. The bank's return finds its order through this record and
// the answer alone, whatever became of the visitor's Session.
class OrdineRichiesteBanca
{
public:
    OrdineRichiesteBanca() = delete;

    // The total the order row stores as charged (worked out from its lines
    // for an order stored without it): euro in cents, lire whole. Throws
    // when the order does not exist.
    struct Totale
    {
        qint64 centesimi = 0;
        qint64 lire = 0;
    };
    static Totale TotaleOrdine(CAdoConnection* conn, qint32 idOrdine, double fcListino2Euro);

    // Databases made before the record existed get it on first use.
    static void AssicuraTabella(CAdoConnection* conn);

    // One request sent to the bank; idRichiesta 0 on the encrypted-string
    // gateway. Runs inside the caller's transaction when there is one.
    static void Registra(CAdoConnection* conn, qint32 idOrdine, qint32 idRichiesta, const QString& importo,
                         const QString& indirizzo, const QDateTime& adesso);

    // How many times the order was sent to the bank.
    static int Richieste(CAdoConnection* conn, qint32 idOrdine);
    // How many other card orders this address sent to the bank since then.
    static int AltriOrdiniDa(CAdoConnection* conn, const QString& indirizzo, qint32 idOrdine, const QDateTime& dal);

    struct Legame
    {
        qint32 id = 0;
        QString importo;
        QString autorizzazione;
        QString risposta;
    };
    // The request of the order whose request password pairs with this
    // answer password, while that answer password is unused.
    static std::optional<Legame> PerRisposta(CAdoConnection* conn, qint32 idOrdine, const QString& risposta);
    // The request of the order an answer already paid: the same answer
    // again (a reload) finds it here.
    static std::optional<Legame> Pagata(CAdoConnection* conn, qint32 idOrdine, const QString& autorizzazione);
    // The last request of the order on the encrypted-string gateway.
    static std::optional<Legame> UltimaCifrata(CAdoConnection* conn, qint32 idOrdine);

    // Records the authorisation on the unpaid card order and on its
    // request; false, with nothing written, when the order is no unpaid
    // card order. Runs inside the caller's transaction.
    static bool SegnaPagato(CAdoConnection* conn, qint32 idOrdine, const Legame& legame, const QString& autorizzazione,
                            const QString& risposta);

    // Runs the checks and writes of one answer in a transaction: committed
    // when registra returns true, rolled back, with nothing written, when it
    // returns false or throws.
    static bool InTransazione(CAdoConnection* conn, const std::function<bool()>& registra);

    // Amounts as the bank writes them compared in hundredths ("168.6" is
    // "168.60"); texts that are no amount never match.
    static bool StessoImporto(const QString& a, const QString& b);
};
