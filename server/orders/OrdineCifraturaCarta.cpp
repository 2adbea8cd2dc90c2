#include "server/orders/OrdineCifraturaCarta.h"

#include "platform/ado/CAdoConnection.h"
#include "server/orders/OrdineScrittura.h"

#include <QMutex>
#include <QUrl>

namespace {

QMutex g_mutex;
OrdineCifraturaCarta::Fabbrica g_fabbrica;

constexpr int kEuro = 242;
constexpr int kLire = 18;

} // namespace

void OrdineCifraturaCarta::ImpostaFabbrica(Fabbrica fabbrica)
{
    QMutexLocker lock(&g_mutex);
    g_fabbrica = std::move(fabbrica);
}

std::unique_ptr<IOrdineCifraturaCarta> OrdineCifraturaCarta::Crea()
{
    Fabbrica fabbrica;
    {
        QMutexLocker lock(&g_mutex);
        fabbrica = g_fabbrica;
    }
    return fabbrica ? fabbrica() : nullptr;
}

QString OrdineCifraturaCarta::Importo(int valuta, bool prova, const OrdineRichiesteBanca::Totale& totale)
{
    if (prova)
        return valuta == kEuro ? QStringLiteral("0.5") : QStringLiteral("1000");
    if (valuta == kEuro)
        return QStringLiteral("%1.%2").arg(totale.centesimi / 100).arg(totale.centesimi % 100, 2, 10, QLatin1Char('0'));
    if (valuta == kLire)
        return QString::number(totale.lire);
    return QString();
}

QString OrdineCifraturaCarta::URL(IOrdineCifraturaCarta& c, const QString& login, int valuta, const QString& importo,
                                  const QString& numOrdine, int& errore)
{
    c.SetShopLogin(login);
    c.SetCurrency(QString::number(valuta));
    c.SetAmount(importo);
    c.SetShopTransactionID(numOrdine);
    c.SetBuyerName(QString());
    c.SetBuyerEmail(QString());
    c.SetLanguage(QString());
    c.SetCustomInfo(QString());
    c.Encrypt();
    errore = c.GetErrorCode();
    QString cifrato, loginBanca;
    if (errore == 0) {
        cifrato = c.GetEncryptedString();
        loginBanca = c.GetShopLogin();
    }
    return OrdinePagamentoCarta::IndirizzoBanca() + QStringLiteral("/gestpay/pagam.asp?a=") + QString::fromLatin1(QUrl::toPercentEncoding(loginBanca))
        + QStringLiteral("&b=") + QString::fromLatin1(QUrl::toPercentEncoding(cifrato));
}

OrdinePagamentoCarta::Esito OrdineCifraturaCarta::RegistraEsito(CAdoConnection* conn, IOrdineCifraturaCarta& c,
                                                                 const QString& login, const QString& cifrato,
                                                                 const QString& loginNegozio,
                                                                 const std::function<QString(qint32)>& importoOrdine)
{
    using Esito = OrdinePagamentoCarta::Esito;
    // An answer the bank signed for another merchant is no payment to us,
    // whatever order number it carries.
    if (loginNegozio.isEmpty() || login.trimmed() != loginNegozio)
        return Esito::Rifiutato;
    c.SetShopLogin(login.trimmed());
    c.SetEncryptedString(cifrato.trimmed());
    c.Decrypt();
    if (c.GetErrorCode() != 0 || c.GetTransactionResult().trimmed() != QLatin1String("OK"))
        return Esito::Rifiutato;
    const qint32 idOrdine = OrdineScrittura::IDDaNumeroOrdine(c.GetShopTransactionID().trimmed());
    const QString autorizzazione = c.GetAuthorizationCode().trimmed();
    if (idOrdine <= 0 || autorizzazione.isEmpty())
        return Esito::Rifiutato;
    OrdineRichiesteBanca::AssicuraTabella(conn);
    // The first genuine answer is recorded; the same answer again (the
    // shopper reloads the page) finds it there.
    if (OrdineRichiesteBanca::Pagata(conn, idOrdine, autorizzazione))
        return Esito::GiaRegistrato;
    // Paid in full only: the amount the bank signed is the one the order
    // was last sent with, and what the order costs.
    const bool registrato = OrdineRichiesteBanca::InTransazione(conn, [&] {
        const std::optional<OrdineRichiesteBanca::Legame> legame = OrdineRichiesteBanca::UltimaCifrata(conn, idOrdine);
        return legame && OrdineRichiesteBanca::StessoImporto(legame->importo, c.GetAmount())
            && OrdineRichiesteBanca::StessoImporto(legame->importo, importoOrdine(idOrdine))
            && OrdineRichiesteBanca::SegnaPagato(conn, idOrdine, *legame, autorizzazione, QString());
    });
    return registrato ? Esito::Registrato : Esito::Rifiutato;
}
