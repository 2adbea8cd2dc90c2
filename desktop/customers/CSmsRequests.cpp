#include "desktop/customers/CSmsRequests.h"

#include "exchange/CHttp.h"
#include "exchange/CSiteAddress.h"
#include "recordset/CConfigurazioneSet.h"
#include "recordset/CDizionarioGenSet.h"
#include "recordset/CDizionarioLinSet.h"
#include "recordset/sync/SyncProtocol.h"

#include <QThread>

#include <memory>

namespace {

using Fields = QList<QPair<QString, QString>>;

CSmsRequests::Reply PostNow(const SmsSettings& settings, const QString& page, const Fields& fields)
{
    CHttp http(settings.strServer, settings.strProxy, settings.nPort, settings.strProxyUser,
               settings.strProxyPassword, nullptr);
    http.SetTimeout(60);
    http.AddToPOSTFields(QString(SyncProtocol::kUserCode), settings.strUserCode, 1);
    http.AddToPOSTFields(QString(SyncProtocol::kPassword), settings.strPassword, 1);
    for (const auto& [name, value] : fields)
        http.AddToPOSTFields(name, value, 1);
    CSmsRequests::Reply reply;
    reply.bContacted = http.Post(page, nullptr, &reply.strReply);
    return reply;
}

// The account's password is never sent readable over the network: a shop
// reached by plain http elsewhere than on this machine gets no request.
// The request runs on a thread of its own while the caller waits without
// running events, so no window closes and no project changes under it.
CSmsRequests::Reply Post(const SmsSettings& settings, const QString& page, const Fields& fields)
{
    if (CSiteAddress::IsPlainRemote(settings.strServer))
        return {true, CSiteAddress::PlainRefusal(settings.strServer)};
    CSmsRequests::Reply reply;
    std::unique_ptr<QThread> worker(QThread::create([&] { reply = PostNow(settings, page, fields); }));
    worker->start();
    worker->wait();
    return reply;
}

} // namespace

bool CSmsRequests::LoadSmsSettings(CDaoDatabase& db, SmsSettings& settings)
{
    CConfigurazioneSet configurazione(&db);
    configurazione.Open();
    if (configurazione.IsEOF())
        return false;
    settings.strUserCode = configurazione.m_CodiceUtente;
    settings.strPassword = configurazione.m_Password;
    settings.strServer = configurazione.m_URLSito.trimmed();
    settings.strProxy = configurazione.m_ServerProxy;
    settings.nPort = configurazione.m_PortaHttp == 0 ? 80 : configurazione.m_PortaHttp;
    settings.strProxyUser = configurazione.m_UserIDProxy;
    settings.strProxyPassword = configurazione.m_PasswordProxy;
    configurazione.Close();
    return !settings.strUserCode.isEmpty() && !settings.strPassword.isEmpty() && !settings.strServer.isEmpty();
}

QString CSmsRequests::SenderName(CDaoDatabase& db, const QString& language, const QString& fallbackLanguage,
                                 const QString& fallbackText)
{
    CDizionarioGenSet codes(&db);
    codes.m_strFilter = QStringLiteral("Codice=?");
    codes.m_filterParams = {QStringLiteral("PMTINTESTAZIONESMS")};
    codes.Open();
    if (codes.IsEOF())
        return fallbackText;
    const qint32 id = codes.m_ID;
    codes.Close();
    CDizionarioLinSet texts(&db);
    texts.Open();
    for (const QString& lingua : {language, fallbackLanguage})
        if (!lingua.isEmpty() && texts.FindFirst(QStringLiteral("IDCodice=? AND CodiceLingua=?"), {id, lingua}))
            return texts.m_Testo;
    return fallbackText;
}

CSmsRequests::Reply CSmsRequests::RequestCredit(const SmsSettings& settings)
{
    return Post(settings, QString(SyncProtocol::kPageCheckSms), {});
}

CSmsRequests::Reply CSmsRequests::Send(const SmsSettings& settings, const QString& originator,
                                       const QString& recipient, const QString& text)
{
    return Post(settings, QString(SyncProtocol::kPageSendSms),
                {{QStringLiteral("originator"), originator.left(kMaxOriginator)},
                 {QStringLiteral("recipient"), recipient},
                 {QStringLiteral("messagetext"), text.left(kMaxText)}});
}

bool CSmsRequests::IsCredit(const QString& reply, qint64* credit)
{
    if (!reply.startsWith(QLatin1String("OK")))
        return false;
    if (credit) {
        qsizetype end = 2;
        while (end < reply.size() && reply.at(end).isDigit() && reply.at(end).unicode() < 128)
            ++end;
        *credit = reply.mid(2, end - 2).toLongLong();
    }
    return true;
}

bool CSmsRequests::IsSent(const QString& reply)
{
    return reply == SyncProtocol::kOk;
}
