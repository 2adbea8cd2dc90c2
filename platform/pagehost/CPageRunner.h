#pragma once

#include "platform/pagehost/CBuiltinObjects.h"
#include "platform/pagehost/CRequest.h"
#include "platform/pagehost/CResponse.h"
#include "platform/pagehost/CServer.h"
#include "platform/pagehost/CSourceLine.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>

class CSession;
class CVirtualFolders;

// Runs a site's pages: expands their includes, runs global.asa once for
// whoever shares the flag, turns the page into one script, runs it with the
// page's Request, Response, Session and Server, ends the objects the page
// created and writes the script's errors into the page. Knows nothing of
// sockets: one runner serves one page at a time on the thread that uses it.
class CPageRunner
{
public:
    CPageRunner(const CVirtualFolders& folders, CSession& session, std::atomic<bool>& globalAsaPending);

    CRequest& Request() { return m_request; }
    CResponse& Response() { return m_response; }
    const CResponse& Response() const { return m_response; }
    CServer& Server() { return m_server; }
    CBuiltinObjects& BuiltinObjects() { return m_builtins; }

    // pagePath, the page's site path, names it in error messages.
    QByteArray RunPage(const QString& pageText, const QString& pagePath = QString());
    // Empty unless the last page redirected.
    const QString& RedirectTarget() const { return m_redirect; }

    QString ExpandIncludes(const QString& text);
    void RunGlobalAsa();

    // global.asa without its script tags, its two procedures called at the
    // end; fileLines gets the file line of each script line.
    static QString GlobalAsaScript(const QString& fileText, QList<int>* fileLines = nullptr);

private:
    void Expand(const QString& text, const QString& file, QStringList& includeChain, QString& into,
                QList<CSourceLine>& origins);
    void AppendIncluded(const QString& directiveLine, QStringList& includeChain, QString& into,
                        QList<CSourceLine>& origins);
    // Runs a script with the four objects and ends the page's objects;
    // returns the errors, each placed at its line of the page.
    QStringList RunScript(const QString& script, const std::function<CSourceLine(int)>& sourceOf);
    void RunGlobalAsaScript();

    const CVirtualFolders& m_folders;
    CSession& m_session;
    std::atomic<bool>& m_globalAsaPending;
    CRequest m_request;
    CResponse m_response;
    CServer m_server;
    CBuiltinObjects m_builtins;
    QString m_redirect;
    QStringList m_globalAsaErrors;
};
