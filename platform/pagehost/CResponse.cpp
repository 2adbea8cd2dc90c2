#include "platform/pagehost/CResponse.h"

CResponse::CResponse(QObject* parent) : QObject(parent) {}

void CResponse::Write(const QString& text) { m_output += text.toUtf8(); }

// An index that names no block writes nothing: the page runner numbers the
// blocks itself, so only a hand-written call can miss.
void CResponse::WriteHTML(int index)
{
    if (index >= 0 && index < m_blocks.size())
        m_output += m_blocks.at(index).toUtf8();
}

void CResponse::Redirect(const QString& url) { m_redirect = url; }

void CResponse::BinaryWrite(const QByteArray& bytes) { m_output += bytes; }

void CResponse::SetCookie(const QString& name, const CAspCookie& cookie)
{
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
