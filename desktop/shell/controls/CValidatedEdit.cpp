#include "desktop/shell/controls/CValidatedEdit.h"

#include "desktop/shell/controls/CMessageBox.h"

#include <QFocusEvent>
#include <QTimer>

CValidatedEdit::CValidatedEdit(QWidget* parent) : CFilteredLineEdit(parent) {}

CValidatedEdit::~CValidatedEdit() = default;

void CValidatedEdit::SetParam(quint8 kind, int width, int flag, int decimals)
{
    m_rules.SetParam(kind, width, flag, decimals);
    // Pasted text must respect the length of a text field too; dates and
    // times count their digits, which the separators shown would exceed.
    const bool counted = (kind == CValueFormat::Text || kind == CValueFormat::FiscalCode) && width > 0;
    setMaxLength(counted ? width : 32767);
}

void CValidatedEdit::SetAllowedChr(const QString& characters)
{
    m_rules.SetAllowedChr(characters);
}

void CValidatedEdit::Show(const QString& text)
{
    setText(hasFocus() ? m_rules.ToRaw(text) : text);
}

void CValidatedEdit::SetValue(const QString& value) { Show(m_rules.TextOf(value)); }
void CValidatedEdit::SetValue(int value) { Show(m_rules.TextOf(qint64(value))); }
void CValidatedEdit::SetValue(qint64 value) { Show(m_rules.TextOf(value)); }
void CValidatedEdit::SetValue(float value) { Show(m_rules.TextOf(double(value))); }
void CValidatedEdit::SetValue(double value) { Show(m_rules.TextOf(value)); }
void CValidatedEdit::SetValue(const QDateTime& value) { Show(m_rules.TextOf(value)); }

void CValidatedEdit::GetValue(QString& value) const { value = m_rules.ReadText(text()); }
void CValidatedEdit::GetValue(int& value) const { value = int(m_rules.ReadInteger(text())); }
void CValidatedEdit::GetValue(qint64& value) const { value = m_rules.ReadInteger(text()); }
void CValidatedEdit::GetValue(float& value) const { value = float(m_rules.ReadDouble(text())); }
void CValidatedEdit::GetValue(double& value) const { value = m_rules.ReadDouble(text()); }
void CValidatedEdit::GetValue(QDateTime& value) const { value = m_rules.ReadDate(text()); }

void CValidatedEdit::Blank()
{
    clear();
}

void CValidatedEdit::SetReadOnly(int flag)
{
    setReadOnly(flag != 0);
}

bool CValidatedEdit::AcceptTyped(QChar ch, int selStart, int selLength) const
{
    return m_rules.AcceptChar(ch, text(), selStart, selLength);
}

bool CValidatedEdit::ValidateEntry()
{
    const auto checked = m_rules.Check(text());
    if (!checked.ok) {
        CMessageBox::Show(this, checked.error, CValueFormat::kValidationCaption, CMessageBox::Stop);
        return false;
    }
    setText(checked.text);
    return true;
}

void CValidatedEdit::focusInEvent(QFocusEvent* event)
{
    CFilteredLineEdit::focusInEvent(event);
    if (!isReadOnly()) {
        setText(m_rules.ToRaw(text()));
        QTimer::singleShot(0, this, &QLineEdit::selectAll);
    }
}

void CValidatedEdit::focusOutEvent(QFocusEvent* event)
{
    CFilteredLineEdit::focusOutEvent(event);
    // A popup (the message box itself, a menu) or another window takes the
    // focus only for a while; the entry is checked when the user moves on.
    const bool away = event->reason() == Qt::PopupFocusReason
        || event->reason() == Qt::ActiveWindowFocusReason;
    if (isReadOnly() || away)
        return;
    if (!ValidateEntry())
        QTimer::singleShot(0, this, [this] { setFocus(); });
}
