#pragma once

#include "platform/pagehost/CApplication.h"
#include "platform/pagehost/CBuiltinObjects.h"
#include "platform/pagehost/CGlobalAsaGate.h"
#include "platform/pagehost/CPageCache.h"
#include "platform/pagehost/CRequest.h"
#include "platform/pagehost/CResponse.h"
#include "platform/pagehost/CServer.h"
#include "platform/pagehost/CSourceLine.h"
#include "platform/script/ScriptEngineFactory.h"

#include <QByteArray>
#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

class CSession;
class CVirtualFolders;

// Runs a site's pages: expands their includes, runs global.asa once for
// whoever shares the gate (before any of their pages), turns the page into
// one script, runs it with the page's Request, Response, Session,
// Application and Server, ends the objects the page created and writes the
// script's errors into the page. Knows nothing of sockets: one runner serves
// one page at a time on the thread that uses it.
//
// The runner owns its script engine, made once and kept: the object model
// compiled in it only ever sees this runner's objects, which live as long
// as the engine. Nothing a page leaves in the engine reaches the next page
// (ScriptEngineFactory); a page that runs past Server.ScriptTimeout is
// stopped with an error in the page.
class CPageRunner
{
public:
    static constexpr int kDefaultScriptTimeout = 90;   // seconds, as pages expect

    // Without an application of the caller's the runner keeps its own.
    CPageRunner(const CVirtualFolders& folders, CSession& session, CGlobalAsaGate& globalAsa,
                CApplication* application = nullptr);
    // For a caller with a runner of its own per flag: the runner takes the
    // flag over (clears it) and, when it was set, runs global.asa before its
    // first page. Runners that share global.asa share a CGlobalAsaGate.
    CPageRunner(const CVirtualFolders& folders, CSession& session, std::atomic<bool>& globalAsaPending);
    ~CPageRunner();
    CPageRunner(const CPageRunner&) = delete;
    CPageRunner& operator=(const CPageRunner&) = delete;

    // A server answering several visitors changes them between pages.
    void SetSession(CSession& session);
    void SetApplication(CApplication& application);
    // The time each page starts with (seconds).
    void SetDefaultScriptTimeout(int seconds) { m_defaultTimeout = seconds; }
    // True while a page (or global.asa) runs: a caller re-entered from
    // inside a page must not start another one.
    bool IsRunning() const { return m_running; }

    CRequest& Request() { return m_request; }
    CResponse& Response() { return m_response; }
    const CResponse& Response() const { return m_response; }
    CServer& Server() { return m_server; }
    CBuiltinObjects& BuiltinObjects() { return m_builtins; }
    ScriptEngineFactory& ScriptEngine() { return m_engine; }

    // pagePath, the page's site path, names it in error messages.
    // afterSessionStart: Session_OnStart ran for this request just before
    // (RunGlobalAsaEvent), and the cookies and headers it set go out with
    // the page, as a new visitor's first page carries them.
    QByteArray RunPage(const QString& pageText, const QString& pagePath = QString(), bool afterSessionStart = false);
    // Empty unless the last page redirected.
    const QString& RedirectTarget() const { return m_redirect; }
    // The errors of the last page (and of global.asa events run before it),
    // as they were written into it.
    const QStringList& LastErrors() const { return m_lastErrors; }
    // The shop's regional settings, in force on the runner's thread while
    // its pages run (amounts and dates the server objects write).
    void SetRegionalSettings(const QLocale& locale) { m_locale = locale; }

    // The text with its include directives expanded; errors gets the
    // refused ones (a cycle, nesting beyond the limit) as the page shows them.
    QString ExpandIncludes(const QString& text, QStringList* errors = nullptr);
    void RunGlobalAsa();
    // Runs global.asa with a call of one of its procedures
    // ("Application_OnStart", "Session_OnStart") when the file defines it;
    // its errors are written into the next page. For hosts that start the
    // Application and each Session themselves (with a gate already done).
    void RunGlobalAsaEvent(const QString& procedure);

    // global.asa without its script tags, its two procedures called at the
    // end; fileLines gets the file line of each script line.
    static QString GlobalAsaScript(const QString& fileText, QList<int>* fileLines = nullptr);

private:
    CPageRunner(const CVirtualFolders& folders, CSession& session, std::unique_ptr<CGlobalAsaGate> ownGate);
    void Connect(CSession& session, CApplication* application);
    // The page expanded and turned into a script: kept from an earlier
    // visit while its files are unchanged.
    std::shared_ptr<const CPageCache::Page> PreparedPage(const QString& pageText, const QString& pagePath);
    void Expand(const QString& text, const QString& file, QStringList& includeChain, QString& into,
                QList<CSourceLine>& origins);
    void AppendIncluded(const QString& directive, const CSourceLine& source, QStringList& includeChain,
                        QString& into, QList<CSourceLine>& origins);
    static void Emit(const QString& piece, const CSourceLine& source, QString& into, QList<CSourceLine>& origins);
    void IncludeError(const QString& message, const CSourceLine& source);
    // Runs a script with the four objects and ends the page's objects;
    // returns the errors, each placed at its line of the page.
    QStringList RunScript(const QString& script, const std::function<CSourceLine(int)>& sourceOf);
    // With a procedure: only that one is called.
    void RunGlobalAsaScript(const QString& onlyProcedure = QString());

    // Declared first, gone last: the objects below are wrapped in it.
    ScriptEngineFactory m_engine;
    const CVirtualFolders& m_folders;
    std::unique_ptr<CGlobalAsaGate> m_ownGate;
    CGlobalAsaGate& m_globalAsa;
    CApplication m_ownApplication;
    CRequest m_request;
    CResponse m_response;
    // Before the server, whose ending of page objects hands them this record.
    CBuiltinObjects m_builtins;
    CServer m_server;
    QString m_redirect;
    QStringList m_globalAsaErrors;
    int m_defaultTimeout = kDefaultScriptTimeout;
    bool m_running = false;
    QStringList m_lastErrors;
    std::optional<QLocale> m_locale;
    CPageCache m_pages;
    QList<CPageCache::Included>* m_included = nullptr;   // the files an expansion reads, while it runs
    QStringList* m_includeErrors = nullptr;   // the refused directives of an expansion, while it runs
};
