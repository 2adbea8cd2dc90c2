#include "server/host/CShopWorker.h"

#include "server/host/CHostConfig.h"
#include "server/host/CHostLog.h"
#include "server/host/CHostRequest.h"
#include "server/host/CPageVisit.h"
#include "server/host/CShopSite.h"
#include "platform/pagehost/CSetCookie.h"
#include "platform/pagehost/CTextFile.h"
#include "server/core/CacheNegozio.h"

#include <QDateTime>
#include <QUrl>

#include <exception>

namespace {

QByteArray CookieValue(const QByteArray& cookieHeader, const QByteArray& name)
{
    for (const QByteArray& pair : cookieHeader.split(';')) {
        const qsizetype equals = pair.indexOf('=');
        if (equals > 0 && pair.left(equals).trimmed() == name)
            return pair.mid(equals + 1).trimmed();
    }
    return QByteArray();
}

} // namespace

CShopWorker::CShopWorker(CShopSite& site, const CHostConfig& config, CHostLog& log)
    : m_site(site), m_config(config), m_log(log),
      m_runner(site.Folders(), m_session, m_globalAsa, &m_application)
{
    m_session.SetStore(&m_sessionValues);
    m_application.SetStore(&site.Application());
    // 0 in the configuration: no limit a page could reach.
    m_runner.SetDefaultScriptTimeout(config.scriptTimeoutSeconds > 0 ? config.scriptTimeoutSeconds : 24 * 3600);
    m_runner.BuiltinObjects().SetLocalMode(false);
    m_runner.SetRegionalSettings(site.Locale());
}

QString CShopWorker::SessionKey(const CShopSite& site, const CHostRequest& request)
{
    const QString sent = QString::fromLatin1(CookieValue(request.Header("Cookie"), kSessionCookie));
    return CSessionStore::IsWellFormed(sent) ? site.Name() + QLatin1Char('/') + sent : QString();
}

CHostReply CShopWorker::Answer(const CHostRequest& request, const CPageVisit& visit, const QString& file,
                               const QString& sitePath)
{
    QString text;
    if (!CTextFile::Read(file, text))
        return CHostReply::Plain(404, "404 Not Found");
    Opened opened = Opened::Started;
    QString sessionId;
    try {
        sessionId = OpenSession(request, opened);
    } catch (const std::exception& failure) {
        m_log.Error(m_site.Name(), sitePath, QString::fromUtf8(failure.what()));
        return ErrorReply(QByteArray());
    }
    m_session.SetSessionID(sessionId);
    PrepareRequest(request, visit, sitePath);
    CacheNegozio::NuovaPagina();
    QByteArray body;
    bool failed = false;
    bool startSetCookies = false;
    try {
        m_site.Application().StartOnce([this] { m_runner.RunGlobalAsaEvent(QStringLiteral("Application_OnStart")); });
        const bool started = opened == Opened::Started;
        if (started) {
            m_runner.RunGlobalAsaEvent(QStringLiteral("Session_OnStart"));
            m_sessionValues.MarkStart();
            startSetCookies = !m_runner.Response().Cookies().isEmpty();
        }
        body = m_runner.RunPage(text, sitePath, started);
    } catch (const std::exception& failure) {
        m_log.Error(m_site.Name(), sitePath, QString::fromUtf8(failure.what()));
        failed = true;
    }
    m_runner.Request().ClearCollections();

    QByteArray sessionCookie;
    try {
        sessionCookie = CloseSession(sessionId, opened, startSetCookies, visit);
    } catch (const std::exception& failure) {
        m_log.Error(m_site.Name(), sitePath, QString::fromUtf8(failure.what()));
    }
    // Nothing of what the runner holds belongs to this request.
    if (failed) {
        CHostReply reply = ErrorReply(QByteArray());
        if (!sessionCookie.isEmpty())
            reply.AddHeader("Set-Cookie", sessionCookie);
        return reply;
    }
    return PageReply(body, sitePath, sessionCookie);
}

// The request as the page host reads it, with the site path the file was
// found under, and the server variables a public host knows.
void CShopWorker::PrepareRequest(const CHostRequest& request, const CPageVisit& visit, const QString& sitePath)
{
    const qsizetype question = request.target.indexOf('?');
    const QByteArray query = question < 0 ? QByteArray() : request.target.mid(question);
    QByteArray text = request.method + ' ' + QUrl::toPercentEncoding(sitePath, "/") + query + " HTTP/1.1\r\n";
    for (const auto& [name, value] : request.headers)
        text += name + ": " + value + "\r\n";
    text += "\r\n" + request.body;
    CRequest& page = m_runner.Request();
    page.ParseRequest(text);
    CFields& variables = *page.ServerVariables();
    const auto add = [&](const char* name, const QString& value) { variables.AddField(QLatin1String(name), value); };
    add("REMOTE_ADDR", visit.remoteAddress);
    add("REMOTE_HOST", visit.remoteAddress);
    add("HTTP_HOST", QString::fromUtf8(request.Header("Host")));
    add("SERVER_NAME", visit.hostName);
    add("SERVER_PORT", QString::number(visit.serverPort));
    add("HTTPS", visit.https ? QStringLiteral("on") : QStringLiteral("off"));
    add("SERVER_PROTOCOL", QString::fromLatin1(request.version));
    add("URL", sitePath);
    add("PATH_INFO", sitePath);
    add("CONTENT_TYPE", QString::fromUtf8(request.Header("Content-Type")));
    add("CONTENT_LENGTH", QString::number(request.body.size()));
    add("HTTP_REFERER", QString::fromUtf8(request.Header("Referer")));
    add("HTTP_USER_AGENT", QString::fromUtf8(request.Header("User-Agent")));
    add("HTTP_COOKIE", QString::fromUtf8(request.Header("Cookie")));
    add("HTTP_ACCEPT_LANGUAGE", QString::fromUtf8(request.Header("Accept-Language")));
}

QString CShopWorker::OpenSession(const CHostRequest& request, Opened& opened)
{
    CSessionStore& sessions = m_site.Sessions();
    const QString sent = QString::fromLatin1(CookieValue(request.Header("Cookie"), kSessionCookie));
    CNamedValues values;
    m_sessionValues.Replace({});
    // An identifier the server did not make is never taken on.
    if (CSessionStore::IsWellFormed(sent)) {
        sessions.Lock(sent);
        try {
            CSessionValues::Values start;
            if (m_site.Starts().Find(sent, start)) {
                m_sessionValues.RestoreStart(start);
                opened = Opened::Kept;
                return sent;
            }
            if (sessions.Load(sent, values, &m_loadedAccess)) {
                m_sessionValues.Replace(values);
                opened = Opened::Stored;
                return sent;
            }
        } catch (...) {
            sessions.Unlock(sent);
            throw;
        }
        sessions.Unlock(sent);
    }
    opened = Opened::Started;
    const QString id = CSessionStore::NewId();
    sessions.Lock(id);
    return id;
}

// A new Session that holds nothing beyond what Session_OnStart gave it is
// not stored: a visitor who only browses (a crawler, a health check) costs
// no stored row. It is stored from the first page that stores something of
// its own. Until then, when Session_OnStart set cookies (so the visitor's
// first page carries cookies anyway, and a browser that keeps them will
// send ours back), its values are kept in memory under the identifier sent
// with them, and his next pages take them from there instead of starting
// his Session again. Otherwise it gets no cookie, and his next page starts
// it again the same way.
QByteArray CShopWorker::CloseSession(QString id, Opened opened, bool startSetCookies, const CPageVisit& visit)
{
    CSessionStore& sessions = m_site.Sessions();
    const bool isNew = opened != Opened::Stored;
    const bool changed = m_sessionValues.Changed();
    const bool beyondStart = !isNew || m_sessionValues.DiffersFromStart() || m_session.IsRenewRequested();
    const CSessionValues::Values start = m_sessionValues.StartValues();
    const CNamedValues values = m_sessionValues.Take();
    const QString locked = id;
    CAspCookie cookie;
    cookie.httpOnly = true;
    cookie.secure = visit.https;
    bool send = false;
    try {
        if (m_session.IsAbandoned()) {
            sessions.Remove(id);
            m_site.Starts().Forget(id);
            // The browser forgets the identifier too.
            send = opened != Opened::Started;
            cookie.expires = QDateTime::fromSecsSinceEpoch(0, Qt::UTC);
        } else if (!isNew && !changed && !m_session.IsRenewRequested() && sessions.IsRecent(m_loadedAccess)) {
            // As it was, and recently written: nothing to store.
        } else if (beyondStart && (!isNew || !values.isEmpty())) {
            sessions.Save(id, values, isNew);
            m_site.Starts().Forget(id);
            // An identifier the browser holds already (a stored Session's,
            // or one kept in memory) is replaced when the page asks (after
            // a login), so no one who learnt it before reaches what follows.
            if (m_session.IsRenewRequested() && opened != Opened::Started)
                id = sessions.Renew(id);
            send = isNew || id != locked;
        } else if (opened == Opened::Started && startSetCookies && !start.isEmpty()) {
            m_site.Starts().Keep(id, start);
            send = true;
        }
    } catch (...) {
        sessions.Unlock(locked);
        throw;
    }
    sessions.Unlock(locked);
    if (!send)
        return QByteArray();
    cookie.value = cookie.expires.isValid() ? QString() : id;
    return CSetCookie::Value(QLatin1String(kSessionCookie), cookie) + "; SameSite=Lax";
}

CHostReply CShopWorker::PageReply(const QByteArray& body, const QString& sitePath, const QByteArray& sessionCookie)
{
    const CResponse& response = m_runner.Response();
    QStringList errors = m_runner.LastErrors();
    CHostReply reply;
    if (!sessionCookie.isEmpty())
        reply.AddHeader("Set-Cookie", sessionCookie);
    for (const auto& [name, cookie] : response.Cookies())
        reply.AddHeader("Set-Cookie", CSetCookie::Value(name, cookie));
    // A header that would split the reply is an error of the page.
    for (const auto& [name, value] : response.Headers()) {
        if (CResponse::IsHeaderText(name) && CResponse::IsHeaderText(value))
            reply.AddHeader(name.toUtf8(), value.toUtf8());
        else
            errors.append(QStringLiteral("Intestazione rifiutata: %1").arg(name));
    }
    if (!CResponse::IsHeaderText(response.ContentType()) || !CResponse::IsHeaderText(m_runner.RedirectTarget()))
        errors.append(QStringLiteral("Intestazione rifiutata: a capo nel tipo o nella destinazione"));
    for (const QString& error : errors)
        m_log.Error(m_site.Name(), sitePath, error);
    if (!errors.isEmpty()) {
        CHostReply failed = ErrorReply(body);
        for (const auto& header : reply.headers)
            if (header.first == "Set-Cookie")
                failed.headers.append(header);
        return failed;
    }
    reply.AddHeader("Cache-Control", "private");
    if (!m_runner.RedirectTarget().isEmpty()) {
        reply.status = 302;
        reply.AddHeader("Location", m_runner.RedirectTarget().toUtf8());
        return reply;
    }
    const QString status = response.Status();
    reply.status = status.isEmpty() ? 200 : status.left(3).toInt();
    reply.AddHeader("Content-Type", response.ContentType().isEmpty() ? QByteArray("text/html; charset=utf-8")
                                                                      : response.ContentType().toUtf8());
    reply.body = body;
    return reply;
}

// The shopper sees a plain page; with debug on, the page as it ran with its
// errors written in, as the preview shows it.
CHostReply CShopWorker::ErrorReply(const QByteArray& body) const
{
    if (m_config.debug && !body.isEmpty()) {
        CHostReply reply;
        reply.status = 500;
        reply.AddHeader("Content-Type", "text/html; charset=utf-8");
        reply.body = body;
        return reply;
    }
    return CHostReply::Plain(500, "500 Errore del server");
}
