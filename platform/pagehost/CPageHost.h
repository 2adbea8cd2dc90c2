#pragma once

#include "platform/pagehost/CHttpReply.h"
#include "platform/pagehost/CPageRunner.h"
#include "platform/pagehost/CRequestReader.h"

#include <QByteArray>

#include <atomic>

class CSession;
class CVirtualFolders;

// Answers one whole request with its reply: a static file with its content
// type, a page run by the page runner, a redirect, or "404 File Not Found".
// Independent of the connection it came by; one host answers one request
// at a time on the thread that uses it.
class CPageHost
{
public:
    CPageHost(const CVirtualFolders& folders, CSession& session, std::atomic<bool>& globalAsaPending);

    CHttpReply Answer(const QByteArray& requestText);
    // The reply to a request the reader refused.
    static CHttpReply Refusal(CRequestReader::State state);

    CPageRunner& Runner() { return m_runner; }

private:
    CHttpReply AnswerPage(const QString& file, const QString& sitePath);
    static CHttpReply AnswerStatic(std::unique_ptr<QFile> file);
    static CHttpReply EmptyReply(const QByteArray& statusLine);
    QByteArray CookieHeaders() const;

    const CVirtualFolders& m_folders;
    CPageRunner m_runner;
};
