#include "platform/pagehost/CResponse.h"

#include <QJSEngine>
#include <QRegularExpression>
#include <QStringEncoder>

#include <stdexcept>

namespace {

void RequireHeaderText(const QString& text)
{
    if (!CResponse::IsHeaderText(text))
        throw std::invalid_argument(CResponse::HeaderError().toStdString());
}

} // namespace

CResponse::CResponse(QObject* parent) : QObject(parent) {}

bool CResponse::IsHeaderText(const QString& text)
{
    for (const QChar c : text)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return false;
    return true;
}

QString CResponse::HeaderError() { return QStringLiteral("Carattere non ammesso in un'intestazione HTTP"); }

bool CResponse::ScriptRedirect(const QString& url)
{
    if (!IsHeaderText(url))
        return false;
    m_redirect = url;
    return true;
}

bool CResponse::ScriptSetContentType(const QString& contentType)
{
    if (!IsHeaderText(contentType))
        return false;
    m_contentType = contentType;
    return true;
}

void CResponse::Redirect(const QString& url)
{
    RequireHeaderText(url);
    m_redirect = url;
}

void CResponse::SetContentType(const QString& contentType)
{
    RequireHeaderText(contentType);
    m_contentType = contentType;
}

// Encoded straight onto the output: a page writes hundreds of short texts,
// and a UTF-8 copy of each, made and dropped, cost more than the writing.
void CResponse::Write(const QString& text)
{
    const qsizetype at = m_output.size();
    m_output.resize(at + text.size() * 3);   // UTF-8 takes at most 3 bytes a UTF-16 unit
    QStringEncoder encoder(QStringEncoder::Utf8);
    char* end = encoder.appendToBuffer(m_output.data() + at, text);
    m_output.truncate(end - m_output.constData());
}

// An index that names no block writes nothing: the page runner numbers the
// blocks itself, so only a hand-written call can miss.
void CResponse::WriteHTML(int index)
{
    if (index >= 0 && index < m_blocks.size())
        m_output += m_blocks.at(index);
}


void CResponse::BinaryWrite(const QByteArray& bytes) { m_output += bytes; }

void CResponse::SetCookie(const QString& name, const CAspCookie& cookie)
{
    RequireHeaderText(cookie.path);
    for (auto& entry : m_cookies) {
        if (entry.first.compare(name, Qt::CaseInsensitive) == 0) {
            entry.second = cookie;
            return;
        }
    }
    m_cookies.append({name, cookie});
}

void CResponse::ClearOutput()
{
    m_output.clear();
    m_contentType.clear();
    m_cookies.clear();
    m_headers.clear();
    m_status.clear();
    m_ended = false;
}

bool CResponse::SetStatus(const QString& status)
{
    static const QRegularExpression kStatus(QStringLiteral("^[1-5][0-9][0-9]( [^\\x00-\\x1f\\x7f]*)?$"));
    if (!kStatus.match(status).hasMatch())
        return false;
    m_status = status;
    return true;
}

bool CResponse::AddHeader(const QString& name, const QString& value)
{
    static const QRegularExpression kToken(QStringLiteral("^[A-Za-z0-9!#$%&'*+.^_`|~-]+$"));
    if (!kToken.match(name).hasMatch() || !IsHeaderText(value))
        return false;
    m_headers.append({name, value});
    return true;
}

CAspCookie* CResponse::FindCookie(const QString& name)
{
    for (auto& entry : m_cookies)
        if (entry.first.compare(name, Qt::CaseInsensitive) == 0)
            return &entry.second;
    m_cookies.append({name, CAspCookie()});
    return &m_cookies.last().second;
}

bool CResponse::SetCookieValue(const QString& name, const QString& value)
{
    if (name.isEmpty() || !IsHeaderText(name) || !IsHeaderText(value))
        return false;
    FindCookie(name)->value = value;
    return true;
}

bool CResponse::SetCookieAttribute(const QString& name, const QString& attribute, const QVariant& value)
{
    if (name.isEmpty() || !IsHeaderText(name) || !IsHeaderText(value.toString()))
        return false;
    CAspCookie& cookie = *FindCookie(name);
    const QString key = attribute.toLower();
    if (key == QLatin1String("expires"))
        cookie.expires = value.toDateTime();
    else if (key == QLatin1String("path"))
        cookie.path = value.toString();
    else if (key == QLatin1String("domain"))
        cookie.domain = value.toString();
    else if (key == QLatin1String("secure"))
        cookie.secure = value.toBool();
    else if (key == QLatin1String("httponly"))
        cookie.httpOnly = value.toBool();
    else
        return false;
    return true;
}

QVariant CResponse::CookieAttribute(const QString& name, const QString& attribute) const
{
    for (const auto& [cookieName, cookie] : m_cookies) {
        if (cookieName.compare(name, Qt::CaseInsensitive) != 0)
            continue;
        const QString key = attribute.toLower();
        if (key == QLatin1String("expires"))
            return cookie.expires;
        if (key == QLatin1String("path"))
            return cookie.path;
        if (key == QLatin1String("domain"))
            return cookie.domain;
        if (key == QLatin1String("secure"))
            return cookie.secure;
        if (key == QLatin1String("httponly"))
            return cookie.httpOnly;
        return cookie.value;
    }
    return QVariant();
}

// The interrupt stops the script at once, try/catch or not; the page
// runner then drops the error it leaves.
void CResponse::End()
{
    m_ended = true;
    if (QJSEngine* engine = qjsEngine(this))
        engine->setInterrupted(true);
}


void CResponse::ClearPageState()
{
    m_blocks.clear();
    m_redirect.clear();
}
