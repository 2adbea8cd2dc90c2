#pragma once

#include "platform/pagehost/CHttpReply.h"
#include "platform/pagehost/CPageRunner.h"
#include "platform/pagehost/CRequestReader.h"

#include <QByteArray>

#include <atomic>
#include <memory>

class CApplication;
class CGlobalAsaGate;
class CSession;
class CVirtualFolders;

// Answers one whole request with its reply: a static file with its content
// type, a page run by the page runner, a redirect, or "404 File Not Found".
// global.asa, include files (".inc") and the folders that are not served
// (the database's) are never sent. Independent of the connection it came
// by; one host answers one request at a time on the thread that uses it.
class CPageHost
{
public:
    CPageHost(const CVirtualFolders& folders, CSession& session, CGlobalAsaGate& globalAsa,
              CApplication* application = nullptr);
    // For a caller with a host of its own per flag: the host takes the flag
    // over (clears it) and, when it was set, runs global.asa before its
    // first page. Hosts that share global.asa share a CGlobalAsaGate.
    CPageHost(const CVirtualFolders& folders, CSession& session, std::atomic<bool>& globalAsaPending);

    CHttpReply Answer(const QByteArray& requestText);
    // The reply to a request the reader refused.
    static CHttpReply Refusal(CRequestReader::State state);
    // A reply with no body that ends the connection ("HTTP/1.1 400 Bad Request").
    static CHttpReply Refusal(const QByteArray& statusLine);
    // False for files that are part of the site's code, not its content.
    static bool IsSentAsFile(const QString& path);

    CPageRunner& Runner() { return m_runner; }

private:
    CHttpReply AnswerPage(const QString& file, const QString& sitePath);
    static CHttpReply AnswerStatic(std::unique_ptr<QFile> file);
    static CHttpReply EmptyReply(const QByteArray& statusLine);
    QByteArray CookieHeaders() const;

    CPageHost(const CVirtualFolders& folders, CSession& session, std::unique_ptr<CGlobalAsaGate> ownGate);

    const CVirtualFolders& m_folders;
    std::unique_ptr<CGlobalAsaGate> m_ownGate;
    CPageRunner m_runner;
};
