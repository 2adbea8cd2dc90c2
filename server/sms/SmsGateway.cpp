#include "server/sms/SmsGateway.h"

#include <QEventLoop>
#include <QMutex>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>

#include <stdexcept>

namespace {

QMutex g_mutex;
SmsGateway::Account g_account;

} // namespace

void SmsGateway::ImpostaAccount(const Account& account)
{
    QMutexLocker lock(&g_mutex);
    g_account = account;
    while (g_account.indirizzo.endsWith(QLatin1Char('/')))
        g_account.indirizzo.chop(1);
}

SmsGateway::Account SmsGateway::AccountImpostato()
{
    QMutexLocker lock(&g_mutex);
    return g_account;
}

SmsDocumento::Esito SmsGateway::Invia(const SmsDocumento::Messaggio& messaggio)
{
    const Account account = AccountImpostato();
    if (account.indirizzo.isEmpty())
        throw std::runtime_error("Il gateway SMS non è configurato.");
    return SmsDocumento::Risposta(Post(account, SmsDocumento::Richiesta(account.utente, account.password, messaggio)));
}

// Runs on the page's thread; the loop only waits for this one reply.
QByteArray SmsGateway::Post(const Account& account, const QByteArray& body)
{
    QNetworkAccessManager network;
    network.setProxy(QNetworkProxy::NoProxy);
    QNetworkRequest request(QUrl(account.indirizzo + QStringLiteral("/xml/sendsms.cfm")));
    request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/x-www-form-urlencoded"));
    request.setTransferTimeout(account.secondi * 1000);
    QNetworkReply* reply = network.post(request, body);
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    loop.exec();
    const QByteArray text = reply->readAll();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QString error = reply->errorString();
    delete reply;
    if (status == 0)
        throw std::runtime_error(QStringLiteral("Impossibile contattare il gateway SMS: %1").arg(error).toStdString());
    if (status != 200)
        throw std::runtime_error(QStringLiteral("Il gateway SMS ha risposto %1.").arg(status).toStdString());
    return text;
}
