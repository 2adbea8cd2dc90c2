#include "desktop/shell/controls/CNumberText.h"

#include <QStringList>

#include <cmath>

const QString CNumberText::kNumberError = QStringLiteral("Numero non corretto!");

namespace {

QLocale& RegionSetting()
{
    static QLocale region(QLocale::Italian, QLocale::Italy);
    return region;
}

const QChar kApostrophe = QLatin1Char('\'');
const QChar kPoint = QLatin1Char('.');
const QChar kComma = QLatin1Char(',');

bool AllDigits(const QString& text)
{
    for (QChar c : text)
        if (!(c.isDigit() && c.unicode() < 128))
            return false;
    return true;
}

// The integer part with its group separators taken out; false when they
// do not stand every three digits (the first group may be shorter).
bool Ungroup(const QString& part, QChar separator, QString* digits)
{
    if (separator.isNull()) {
        *digits = part;
        return AllDigits(part) && !part.isEmpty();
    }
    const QStringList groups = part.split(separator);
    for (int i = 0; i < groups.size(); ++i) {
        const QString& group = groups.at(i);
        const bool sized = i == 0 ? group.size() >= 1 && group.size() <= 3 : group.size() == 3;
        if (!sized || !AllDigits(group))
            return false;
    }
    *digits = groups.join(QString());
    return true;
}

QString WithoutTrailingZeros(QString fraction)
{
    while (fraction.endsWith(QLatin1Char('0')))
        fraction.chop(1);
    return fraction;
}

} // namespace

void CNumberText::SetRegion(const QLocale& region)
{
    RegionSetting() = region;
}

QLocale CNumberText::Region()
{
    return RegionSetting();
}

QChar CNumberText::DecimalSeparator()
{
    const QString separator = RegionSetting().decimalPoint();
    return separator.size() == 1 ? separator.at(0) : kComma;
}

QChar CNumberText::ShownGroupSeparator()
{
    const QString separator = RegionSetting().groupSeparator();
    if (separator.size() != 1 || separator.at(0) == kPoint || separator.at(0) == kComma)
        return QChar();
    return separator.at(0);
}

bool CNumberText::IsSeparator(QChar ch)
{
    return ch == kPoint || ch == kComma || ch == kApostrophe || (!ShownGroupSeparator().isNull() && ch == ShownGroupSeparator());
}

CNumberText::Read CNumberText::Parse(const QString& text, bool integer)
{
    const Read refused{false, {}, kNumberError};
    QString body = text.trimmed();
    QString sign;
    if (body.startsWith(QLatin1Char('-')) || body.startsWith(QLatin1Char('+'))) {
        if (body.startsWith(QLatin1Char('-')))
            sign = QStringLiteral("-");
        body.remove(0, 1);
    }
    if (body.isEmpty())
        return refused;
    // Where the decimals start: the comma when there is one, else a lone
    // point; several points are groups.
    int decimal = -1;
    if (body.count(kComma) > 1)
        return refused;
    if (body.contains(kComma))
        decimal = body.indexOf(kComma);
    else if (body.count(kPoint) == 1)
        decimal = body.indexOf(kPoint);
    QString whole = decimal < 0 ? body : body.left(decimal);
    QString fraction = decimal < 0 ? QString() : body.mid(decimal + 1);
    if (!AllDigits(fraction))
        return refused;
    // In an integer a lone point may only separate groups ("1.234").
    if (integer && decimal >= 0 && body.at(decimal) == kPoint && fraction.size() == 3 && decimal <= 3) {
        whole = body;
        fraction.clear();
        decimal = -1;
    }
    QChar group;
    for (QChar c : whole)
        if (!(c.isDigit() && c.unicode() < 128)) {
            if (!group.isNull() && c != group)
                return refused;
            group = c;
        }
    if (!group.isNull() && group != kPoint && group != kApostrophe && group != ShownGroupSeparator())
        return refused;
    QString digits;
    if (!Ungroup(whole.isEmpty() && decimal >= 0 ? QStringLiteral("0") : whole, group, &digits))
        return refused;
    fraction = WithoutTrailingZeros(fraction);
    if (integer && !fraction.isEmpty())
        return refused;
    // Leading zeros stay as typed: an integer field may hold a bar code.
    if (fraction.isEmpty() && digits.count(QLatin1Char('0')) == digits.size())
        sign.clear();
    QString canonical = sign + digits;
    if (!fraction.isEmpty())
        canonical += kPoint + fraction;
    return {true, canonical, {}};
}

QString CNumberText::Display(const QString& canonical, bool grouped)
{
    QString rest = canonical;
    QString sign;
    if (rest.startsWith(QLatin1Char('-'))) {
        sign = QStringLiteral("-");
        rest.remove(0, 1);
    }
    const int point = rest.indexOf(kPoint);
    QString whole = point < 0 ? rest : rest.left(point);
    const QString fraction = point < 0 ? QString() : rest.mid(point + 1);
    const QChar separator = ShownGroupSeparator();
    if (grouped && !separator.isNull())
        for (int at = whole.size() - 3; at > 0; at -= 3)
            whole.insert(at, separator);
    return sign + whole + (fraction.isEmpty() ? QString() : DecimalSeparator() + fraction);
}

QString CNumberText::Canonical(double value, int decimals)
{
    if (!std::isfinite(value))
        return QStringLiteral("0");
    QString text = value == std::floor(value) ? QString::number(value, 'f', 0)
                                              : QString::number(value, 'f', qMax(0, decimals));
    if (text.contains(kPoint)) {
        text = WithoutTrailingZeros(text);
        if (text.endsWith(kPoint))
            text.chop(1);
    }
    if (text == QLatin1String("-0"))
        text = QStringLiteral("0");
    return text;
}
