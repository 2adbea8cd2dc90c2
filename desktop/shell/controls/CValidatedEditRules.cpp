#include "desktop/shell/controls/CValidatedEditRules.h"

void CValidatedEditRules::SetParam(quint8 kind, int width, int flag, int decimals)
{
    m_nKind = kind;
    m_nWidth = width;
    m_nFlag = flag;
    m_nDecimals = decimals;
}

bool CValidatedEditRules::IsNumber() const
{
    return m_nKind >= CValueFormat::Integer && m_nKind <= CValueFormat::GroupedDecimal;
}

bool CValidatedEditRules::AcceptChar(QChar ch, const QString& text, int selStart,
                                     int selLength) const
{
    if (!m_strAllowed.isEmpty() && !m_strAllowed.contains(ch))
        return false;
    const int totalWidth = IsNumber() ? 0 : m_nWidth;
    if (!CValueFormat::AcceptChar(ch, text, selStart, selLength, m_nKind, totalWidth, m_nDecimals))
        return false;
    if (!IsNumber() || m_nWidth <= 0)
        return true;
    const QString result = QString(text).remove(selStart, selLength).insert(selStart, ch);
    const int point = CValueFormat::DecimalPosition(result);
    int digits = 0;
    for (QChar c : result.left(point < 0 ? result.size() : point))
        digits += c.isDigit() ? 1 : 0;
    return digits <= m_nWidth;
}

// A number given as text is shown in the region's form ("3.5" as "3,5").
QString CValidatedEditRules::TextOf(const QString& value) const
{
    if (!IsNumber())
        return value;
    const auto checked = Check(value);
    return checked.ok ? checked.text : value;
}

QString CValidatedEditRules::TextOf(qint64 value) const
{
    return CValueFormat::FormatInteger(value, m_nKind);
}

QString CValidatedEditRules::TextOf(double value) const
{
    return CValueFormat::FormatNumber(value, m_nKind, m_nDecimals);
}

QString CValidatedEditRules::TextOf(const QDateTime& value) const
{
    return m_nKind == CValueFormat::Time ? CValueFormat::FormatTime(value)
                                         : CValueFormat::FormatDate(value);
}

CValueFormat::Checked CValidatedEditRules::Check(const QString& text) const
{
    // A field left empty is a blank value, not a wrong one.
    if (text.isEmpty())
        return {true, text, {}};
    return CValueFormat::Check(text, m_nKind);
}

QString CValidatedEditRules::ReadText(const QString& text) const
{
    const auto checked = Check(text);
    return checked.ok ? checked.text : QString();
}

qint64 CValidatedEditRules::ReadInteger(const QString& text) const
{
    return CValueFormat::ReadInteger(ReadText(text), m_nKind);
}

double CValidatedEditRules::ReadDouble(const QString& text) const
{
    return CValueFormat::ReadDouble(ReadText(text), m_nKind);
}

QDateTime CValidatedEditRules::ReadDate(const QString& text) const
{
    return CValueFormat::ReadDate(ReadText(text));
}
