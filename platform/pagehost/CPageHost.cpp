#include "platform/pagehost/CPageHost.h"

#include "platform/pagehost/CGlobalAsaGate.h"
#include "platform/pagehost/CRequestTarget.h"
#include "platform/pagehost/CSetCookie.h"
#include "platform/pagehost/CTextFile.h"
#include "platform/pagehost/CVirtualFolders.h"

#include <QFileInfo>
#include <QLocale>
#include <QMimeDatabase>
#include <QUrl>

namespace {

const QByteArray kEmptyHtmlTail = "Content-Type: text/html\r\nContent-Length: 0\r\n";

QByteArray LengthHeader(qint64 length) { return "Content-Length: " + QByteArray::number(length) + "\r\n\r\n"; }

} // namespace

CPageHost::CPageHost(const CVirtualFolders& folders, CSession& session, CGlobalAsaGate& globalAsa,
                     CApplication* application)
    : m_folders(folders), m_runner(folders, session, globalAsa, application)
{
}

CPageHost::CPageHost(const CVirtualFolders& folders, CSession& session, std::atomic<bool>& globalAsaPending)
    : CPageHost(folders, session, std::make_unique<CGlobalAsaGate>(globalAsaPending.exchange(false)))
{
}

CPageHost::CPageHost(const CVirtualFolders& folders, CSession& session, std::unique_ptr<CGlobalAsaGate> ownGate)
    : m_folders(folders), m_ownGate(std::move(ownGate)), m_runner(folders, session, *m_ownGate)
{
}

CHttpReply CPageHost::Answer(const QByteArray& requestText)
{
    const CRequestTarget target(requestText);
    const QString path = m_folders.MapTarget(target.Path());
    // Letter case counts: "X.ASP" is sent as it is, not run.
    const bool page = QFileInfo(path).fileName().endsWith(QLatin1String(".asp"));
    auto file = std::make_unique<QFile>(path);
    if (path.isEmpty() || (!page && !IsSentAsFile(path)) || !file->open(QIODevice::ReadOnly))
        return EmptyReply("HTTP/1.1 404 File Not Found");
    if (!page)
        return AnswerStatic(std::move(file));
    file.reset();
    m_runner.Request().ParseRequest(requestText);
    CHttpReply reply = AnswerPage(path, target.Path());
    m_runner.Request().ClearCollections();
    return reply;
}

bool CPageHost::IsSentAsFile(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    return !name.endsWith(QLatin1String(".asa"), Qt::CaseInsensitive)
           && !name.endsWith(QLatin1String(".inc"), Qt::CaseInsensitive);
}

CHttpReply CPageHost::AnswerPage(const QString& file, const QString& sitePath)
{
    QString text;
    if (!CTextFile::Read(file, text))
        return EmptyReply("HTTP/1.1 404 File Not Found");
    const QByteArray body = m_runner.RunPage(text, sitePath);
    CHttpReply reply;
    if (!m_runner.RedirectTarget().isEmpty()) {
        reply.head = "HTTP/1.1 302 Object moved\r\nLocation: " + m_runner.RedirectTarget().toUtf8() + "\r\n"
                     + CookieHeaders() + kEmptyHtmlTail + "\r\n";
        return reply;
    }
    const QString contentType = m_runner.Response().ContentType();
    reply.head = "HTTP/1.1 200 OK\r\nContent-Type: "
                 + (contentType.isEmpty() ? QByteArray("text/html; charset=utf-8") : contentType.toUtf8()) + "\r\n"
                 + CookieHeaders() + LengthHeader(body.size());
    reply.body = body;
    return reply;
}

CHttpReply CPageHost::AnswerStatic(std::unique_ptr<QFile> file)
{
    CHttpReply reply;
    reply.head = "HTTP/1.1 200 OK\r\n";
    const QMimeType type = QMimeDatabase().mimeTypeForFile(file->fileName(), QMimeDatabase::MatchExtension);
    if (!type.isDefault())
        reply.head += "Content-Type: " + type.name().toUtf8() + "\r\n";
    reply.head += LengthHeader(file->size());
    reply.file = std::move(file);
    return reply;
}

QByteArray CPageHost::CookieHeaders() const
{
    QByteArray headers;
    for (const auto& [name, cookie] : m_runner.Response().Cookies())
        headers += "Set-Cookie: " + CSetCookie::Value(name, cookie) + "\r\n";
    return headers;
}

CHttpReply CPageHost::EmptyReply(const QByteArray& statusLine)
{
    CHttpReply reply;
    reply.head = statusLine + "\r\n" + kEmptyHtmlTail + "\r\n";
    return reply;
}

CHttpReply CPageHost::Refusal(CRequestReader::State state)
{
    QByteArray status;
    switch (state) {
    case CRequestReader::State::HeadersTooLarge:
        status = "HTTP/1.1 431 Request Header Fields Too Large";
        break;
    case CRequestReader::State::BodyTooLarge:
        status = "HTTP/1.1 413 Payload Too Large";
        break;
    case CRequestReader::State::UnsupportedMethod:
        status = "HTTP/1.1 501 Not Implemented";
        break;
    default:
        status = "HTTP/1.1 400 Bad Request";
        break;
    }
    return Refusal(status);
}

CHttpReply CPageHost::Refusal(const QByteArray& statusLine)
{
    CHttpReply reply = EmptyReply(statusLine);
    reply.head.insert(reply.head.size() - 2, "Connection: close\r\n");
    reply.closeAfter = true;
    return reply;
}
