#include "server/orders/OrdineCifraturaCarta.h"

#include "platform/ado/CAdoConnection.h"
#include "platform/ado/CAdoRecordset.h"
#include "server/orders/OrdinePagamentoCarta.h"
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

QString OrdineCifraturaCarta::Importo(int valuta, bool prova, double totaleInEuro, double totaleInLire)
{
    if (prova)
        return valuta == kEuro ? QStringLiteral("0.5") : QStringLiteral("1000");
    if (valuta == kEuro) {
        const qint64 centesimi = OrdinePagamentoCarta::Centesimi(totaleInEuro);
        return QStringLiteral("%1.%2").arg(centesimi / 100).arg(centesimi % 100, 2, 10, QLatin1Char('0'));
    }
    if (valuta == kLire)
        return QString::number(OrdinePagamentoCarta::Centesimi(totaleInLire) / 100);
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

bool OrdineCifraturaCarta::RegistraEsito(CAdoConnection* conn, IOrdineCifraturaCarta& c, const QString& login,
                                         const QString& cifrato, const QString& loginNegozio,
                                         const QString& numOrdSessione, qint32 idClienteSessione)
{
    // An answer the bank signed for another merchant is no payment to us,
    // whatever order number it carries.
    if (loginNegozio.isEmpty() || login.trimmed() != loginNegozio)
        return false;
    c.SetShopLogin(login.trimmed());
    c.SetEncryptedString(cifrato.trimmed());
    c.Decrypt();
    if (c.GetErrorCode() != 0 || c.GetTransactionResult().trimmed() != QLatin1String("OK"))
        return false;
    const QString numOrdine = c.GetShopTransactionID().trimmed();
    const QString autorizzazione = c.GetAuthorizationCode().trimmed();
    if (numOrdSessione.isEmpty() || numOrdine != numOrdSessione || idClienteSessione <= 0 || autorizzazione.isEmpty())
        return false;
    const qint32 idOrdine = OrdineScrittura::IDDaNumeroOrdine(numOrdine);
    if (idOrdine <= 0)
        return false;
    // The first genuine answer is recorded; the same answer again (the
    // shopper reloads the page) finds it there and counts as paid.
    const int scritte = conn->Execute(
        QStringLiteral("UPDATE Ordini SET AutorizzazioneCartaCredito=?, Modificato=? WHERE ID=? AND IDCliente=? "
                       "AND (AutorizzazioneCartaCredito IS NULL OR AutorizzazioneCartaCredito='')"),
        {autorizzazione, true, idOrdine, idClienteSessione});
    if (scritte == 1)
        return true;
    CAdoRecordset rs;
    rs.Open(QStringLiteral("SELECT AutorizzazioneCartaCredito FROM Ordini WHERE ID=? AND IDCliente=?"), conn,
            {idOrdine, idClienteSessione});
    return !rs.IsEOF() && rs.Field(QStringLiteral("AutorizzazioneCartaCredito")).toString() == autorizzazione;
}
