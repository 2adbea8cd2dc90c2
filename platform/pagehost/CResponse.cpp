#include "platform/pagehost/CResponse.h"

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

void CResponse::Write(const QString& text) { m_output += text.toUtf8(); }

// An index that names no block writes nothing: the page runner numbers the
// blocks itself, so only a hand-written call can miss.
void CResponse::WriteHTML(int index)
{
    if (index >= 0 && index < m_blocks.size())
        m_output += m_blocks.at(index).toUtf8();
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
}

int CResponse::AddHtmlBlock(const QString& block)
{
    m_blocks.append(block);
    return int(m_blocks.size() - 1);
}

void CResponse::ClearPageState()
{
    m_blocks.clear();
    m_redirect.clear();
}
