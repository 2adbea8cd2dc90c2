#include "desktop/shell/controls/CGridEdit.h"

#include "desktop/shell/controls/CMessageBox.h"
#include "desktop/shell/controls/CValueFormat.h"

void CGridEdit::SetFormat(quint8 format, qint32 width, qint32 decimals)
{
    m_nFormat = format;
    m_nWidth = width;
    m_nDecimals = decimals;
}

void CGridEdit::SetText(const QString& text)
{
    m_strText = text;
    if (m_bWindow)
        m_strWindowText = text;
}

bool CGridEdit::Validate()
{
    const auto checked = CValueFormat::Check(m_bWindow ? m_strWindowText : m_strText, m_nFormat);
    m_nValid = checked.ok ? 1 : 0;
    if (!checked.ok) {
        CMessageBox::Show(m_pMessageParent, checked.error, CValueFormat::kValidationCaption,
                          CMessageBox::Stop);
        return false;
    }
    m_strText = checked.text;
    return true;
}

QString CGridEdit::GetText()
{
    Validate();
    return m_strText;
}

QString CGridEdit::PeekText() const
{
    const auto checked = CValueFormat::Check(m_bWindow ? m_strWindowText : m_strText, m_nFormat);
    return checked.ok ? checked.text : m_strText;
}

void CGridEdit::FormatInt(qint64 value)
{
    SetText(CValueFormat::FormatInteger(value, m_nFormat));
}

void CGridEdit::FormatFloat(float value)
{
    SetText(CValueFormat::FormatNumber(value, m_nFormat, m_nDecimals));
}

void CGridEdit::FormatDouble(double value)
{
    SetText(CValueFormat::FormatNumber(value, m_nFormat, m_nDecimals));
}

void CGridEdit::FormatDate(const QDateTime& value)
{
    SetText(m_nFormat == CValueFormat::Time ? CValueFormat::FormatTime(value)
                                                   : CValueFormat::FormatDate(value));
}

// The readers are used by the grid's getters, which must not pop up boxes:
// an invalid entry leaves the last valid text in force.
void CGridEdit::TakeWindowTextSilently()
{
    m_strText = PeekText();
}

qint64 CGridEdit::ReadInt()
{
    TakeWindowTextSilently();
    return CValueFormat::ReadInteger(m_strText, m_nFormat);
}

float CGridEdit::ReadFloat()
{
    return static_cast<float>(ReadDouble());
}

double CGridEdit::ReadDouble()
{
    TakeWindowTextSilently();
    return CValueFormat::ReadDouble(m_strText, m_nFormat);
}

QDateTime CGridEdit::ReadDate()
{
    TakeWindowTextSilently();
    return CValueFormat::ReadDate(m_strText);
}

void CGridEdit::OpenWindow()
{
    m_bWindow = true;
    m_strWindowText = CValueFormat::ToRaw(m_strText, m_nFormat);
}

void CGridEdit::CloseWindow()
{
    m_bWindow = false;
    m_strWindowText.clear();
}

bool CGridEdit::AcceptChar(QChar ch, int selStart, int selLength) const
{
    return CValueFormat::AcceptChar(ch, m_strWindowText, selStart, selLength, m_nFormat,
                                    m_nWidth, m_nDecimals);
}
