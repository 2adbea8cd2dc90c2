#include "desktop/shell/controls/CMessageBoxScript.h"

CMessageBoxScript::CMessageBoxScript()
{
    m_previous = CMessageBox::SetAnswerer(
        [this](const CMessageBox::Request& request) { return Reply(request); });
}

CMessageBoxScript::~CMessageBoxScript()
{
    CMessageBox::SetAnswerer(m_previous);
}

void CMessageBoxScript::Answer(QMessageBox::StandardButton reply)
{
    m_replies.append(reply);
}

QString CMessageBoxScript::LastText() const
{
    return m_shown.isEmpty() ? QString() : m_shown.last().text;
}

QMessageBox::StandardButton CMessageBoxScript::Reply(const CMessageBox::Request& request)
{
    m_shown.append(request);
    if (!m_replies.isEmpty())
        return m_replies.takeFirst();
    for (QMessageBox::StandardButton preferred : {QMessageBox::Yes, QMessageBox::Ok})
        if (request.buttons.testFlag(preferred))
            return preferred;
    for (int bit = 0; bit < 32; ++bit) {
        const auto button = static_cast<QMessageBox::StandardButton>(1u << bit);
        if (request.buttons.testFlag(button))
            return button;
    }
    return QMessageBox::NoButton;
}
