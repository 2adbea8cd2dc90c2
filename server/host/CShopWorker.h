#pragma once

#include "server/host/CHostReply.h"
#include "server/host/CSessionValues.h"
#include "server/host/CStoredValue.h"
#include "platform/pagehost/CApplication.h"
#include "platform/pagehost/CGlobalAsaGate.h"
#include "platform/pagehost/CPageRunner.h"
#include "platform/pagehost/CSession.h"

#include <QString>

#include <atomic>

class CHostLog;
class CShopSite;
struct CHostConfig;
struct CHostRequest;
struct CPageVisit;

// Runs the pages of one shop on one worker thread: finds the visitor's
// Session (or starts one), starts the Application once, runs the page and
// turns what it wrote into the reply; keeps the Session for the next
// request and logs the page's errors.
class CShopWorker
{
public:
    static constexpr const char* kSessionCookie = "QTR50SESSION";

    CShopWorker(CShopSite& site, const CHostConfig& config, CHostLog& log);

    // What names the visitor's Session among all the shops' (empty for a
    // request without a Session): its requests run one at a time.
    static QString SessionKey(const CShopSite& site, const CHostRequest& request);

    CHostReply Answer(const CHostRequest& request, const CPageVisit& visit, const QString& file,
                      const QString& sitePath);

private:
    void PrepareRequest(const CHostRequest& request, const CPageVisit& visit, const QString& sitePath);
    // How the visitor's Session came to the page.
    enum class Opened
    {
        Stored,    // from the store
        Started,   // new: Session_OnStart is to run
        Kept       // new, not stored: what Session_OnStart set for him before, kept in memory
    };
    // The Session's identifier, locked.
    QString OpenSession(const CHostRequest& request, Opened& opened);
    // Keeps the Session for the next request (or ends or renames it as the
    // page asked); gives the cookie to send, if any. startSetCookies:
    // Session_OnStart ran and set cookies.
    QByteArray CloseSession(QString id, Opened opened, bool startSetCookies, const CPageVisit& visit);
    CHostReply PageReply(const QByteArray& body, const QString& sitePath, const QByteArray& sessionCookie);
    CHostReply ErrorReply(const QByteArray& body) const;

    CShopSite& m_site;
    const CHostConfig& m_config;
    CHostLog& m_log;
    CSessionValues m_sessionValues;
    qint64 m_loadedAccess = 0;    // the stored time of access of the visitor's Session
    CSession m_session;
    CApplication m_application;
    CGlobalAsaGate m_globalAsa{false};   // the host starts global.asa's events itself
    CPageRunner m_runner;
};
