#include "desktop/shell/controls/CValueFormat.h"

#include "desktop/shell/controls/CNumberText.h"

#include <QDate>
#include <QRegularExpression>
#include <QTime>

#include <cmath>
#include <limits>

const QString CValueFormat::kDateError = QStringLiteral("Data non corretta!");
const QString CValueFormat::kTimeError = QStringLiteral("Ora non corretta!");
const QString CValueFormat::kFiscalCodeError = QStringLiteral("Codice fiscale non corretto!");
const QString CValueFormat::kValidationCaption = QStringLiteral("Validazione campi");

namespace {

const QString kError = QStringLiteral("Error");

// Two digits of a fixed position, or -1 when they are not both digits.
int TwoDigits(const QString& text, int from)
{
    const QString part = text.mid(from, 2);
    if (part.size() != 2 || !part[0].isDigit() || !part[1].isDigit())
        return -1;
    return part.toInt();
}

int AllDigits(const QString& text)
{
    if (text.isEmpty())
        return -1;
    for (QChar c : text)
        if (!c.isDigit())
            return -1;
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? value : -1;
}

QString WithoutChar(QString text, QChar c)
{
    return text.remove(c);
}

} // namespace

QString CValueFormat::FormatNumber(double value, int format, int decimals)
{
    return CNumberText::Display(CNumberText::Canonical(value, decimals), IsGrouped(format));
}

QString CValueFormat::FormatInteger(qint64 value, int format)
{
    return CNumberText::Display(QString::number(value), IsGrouped(format));
}

QString CValueFormat::Group(const QString& text)
{
    const CNumberText::Read read = CNumberText::Parse(text, false);
    return read.ok ? CNumberText::Display(read.canonical, true) : text;
}

QString CValueFormat::RemoveGroups(const QString& text)
{
    QString raw = WithoutChar(text, QLatin1Char('\''));
    const QChar shown = CNumberText::ShownGroupSeparator();
    return shown.isNull() ? raw : WithoutChar(raw, shown);
}

QString CValueFormat::DateRawToDisplay(const QString& raw)
{
    if (raw.isEmpty())
        return raw;
    if (raw == QLatin1String("99999999"))
        return QStringLiteral("99/99/9999");
    const QString display = raw.left(2) + QLatin1Char('/') + raw.mid(2, 2) + QLatin1Char('/') + raw.mid(4);
    const int day = TwoDigits(raw, 0);
    const int month = TwoDigits(raw, 2);
    const int year = AllDigits(raw.mid(4));
    if (day < 0 || month < 0 || year < 0 || !QDate(year, month, day).isValid())
        return kError;
    return display;
}

QString CValueFormat::DateDisplayToRaw(const QString& display)
{
    if (!display.contains(QLatin1Char('/')))
        return display;
    return display.left(2) + display.mid(3, 2) + display.mid(6);
}

QString CValueFormat::FormatDate(const QDateTime& value)
{
    if (!value.isValid())
        return QString();
    const QDate date = value.date();
    return QString::asprintf("%02d/%02d/%04d", date.day(), date.month(), date.year());
}

QDateTime CValueFormat::ReadDate(const QString& display)
{
    const int day = TwoDigits(display, 0);
    const int month = TwoDigits(display, 3);
    const int year = AllDigits(display.mid(6));
    const QDate date(year, month, day);
    if (day < 0 || month < 0 || year < 0 || !date.isValid())
        return QDateTime();
    return QDateTime(date, QTime(0, 0));
}

QString CValueFormat::TimeRawToDisplay(const QString& raw)
{
    if (raw.isEmpty())
        return raw;
    if (raw == QLatin1String("9999"))
        return QStringLiteral("99:99");
    // A minute of more than two digits would be stored as typed and read
    // back wrong, so only hhmm is a time.
    const int hour = TwoDigits(raw, 0);
    const int minute = TwoDigits(raw, 2);
    if (raw.size() != 4 || hour < 0 || minute < 0 || !QTime(hour, minute).isValid())
        return kError;
    return raw.left(2) + QLatin1Char(':') + raw.mid(2);
}

QString CValueFormat::TimeDisplayToRaw(const QString& display)
{
    if (!display.contains(QLatin1Char(':')))
        return display;
    return display.left(2) + display.mid(3);
}

QString CValueFormat::FormatTime(const QDateTime& value)
{
    if (!value.isValid())
        return QString();
    const QTime time = value.time();
    return QString::asprintf("%02d:%02d", time.hour(), time.minute());
}

QChar CValueFormat::FiscalCodeCheckChar(const QString& first15)
{
    // Values of a character in an odd (1st, 3rd, ...) position, A..Z; digits
    // take the values of A..J.
    static const int kOdd[26] = {1, 0, 5, 7, 9, 13, 15, 17, 19, 21, 2, 4, 18,
                                 20, 11, 3, 6, 8, 12, 14, 16, 10, 22, 25, 24, 23};
    int sum = 0;
    for (int i = 0; i < first15.size(); ++i) {
        const QChar c = first15[i];
        int place = 0;
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            place = c.unicode() - 'A';
        else if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            place = c.unicode() - '0';
        else
            return QChar();
        sum += (i % 2 == 0) ? kOdd[place] : place;
    }
    return QChar('A' + sum % 26);
}

bool CValueFormat::IsValidFiscalCode(const QString& code)
{
    if (code.size() != 16)
        return false;
    const QChar check = FiscalCodeCheckChar(code.left(15));
    return !check.isNull() && check == code[15];
}

QString CValueFormat::ToRaw(const QString& display, int format)
{
    switch (format) {
    case GroupedInteger:
    case GroupedDecimal: return RemoveGroups(display);
    case Date: return WithoutChar(display, QLatin1Char('/'));
    case Time: return WithoutChar(display, QLatin1Char(':'));
    default: return display;
    }
}

// A date or time is checked without its separators: a part of the digits
// is an error, and so is a text whose display form is not a real date/time.
CValueFormat::Checked CValueFormat::CheckSeparated(const QString& entry, QChar separator,
                                                   int digits,
                                                   QString (*toDisplay)(const QString&),
                                                   const QString& error)
{
    const QString raw = WithoutChar(entry, separator);
    const QString display = toDisplay(raw);
    if ((raw.size() >= 1 && raw.size() < digits) || display == kError)
        return {false, {}, error};
    return {true, display, {}};
}

CValueFormat::Checked CValueFormat::Check(const QString& entry, int format)
{
    switch (format) {
    case Integer:
    case Decimal:
    case GroupedInteger:
    case GroupedDecimal: {
        if (entry.trimmed().isEmpty())
            return {true, QString(), {}};
        const CNumberText::Read read = CNumberText::Parse(entry, IsInteger(format));
        if (!read.ok)
            return {false, {}, read.error};
        return {true, CNumberText::Display(read.canonical, IsGrouped(format)), {}};
    }
    case FiscalCode:
        if (!IsValidFiscalCode(entry))
            return {false, {}, kFiscalCodeError};
        return {true, entry, {}};
    case Date: return CheckSeparated(entry, QLatin1Char('/'), 8, DateRawToDisplay, kDateError);
    case Time: return CheckSeparated(entry, QLatin1Char(':'), 4, TimeRawToDisplay, kTimeError);
    default: return {true, entry, {}};
    }
}

bool CValueFormat::AcceptChar(QChar ch, const QString& text, int selStart, int selLength,
                              int format, int width, int decimals)
{
    const QString rest = QString(text).remove(selStart, selLength);
    if (width > 0 && rest.size() >= width)
        return false;
    if (format == Text || format == FiscalCode)
        return true;
    const int point = DecimalPosition(rest);
    if (ch.isDigit() && ch.unicode() < 128) {
        const bool afterPoint = point >= 0 && selStart > point;
        return !(afterPoint && rest.size() - point - 1 >= decimals);
    }
    if (ch == QLatin1Char('-'))
        return rest.isEmpty() && format != Date;
    // The regional comma or the point, once.
    if (ch == QLatin1Char('.') || ch == QLatin1Char(','))
        return (format == Decimal || format == GroupedDecimal) && point < 0;
    return false;
}

int CValueFormat::DecimalPosition(const QString& text)
{
    const int comma = text.indexOf(QLatin1Char(','));
    return comma >= 0 ? comma : text.indexOf(QLatin1Char('.'));
}

// Number formats read a number whole or give 0; other texts are read like
// the C library: leading blanks, a sign, the leading digits.
qint64 CValueFormat::ReadInteger(const QString& text, int format)
{
    if (IsNumber(format)) {
        const CNumberText::Read read = CNumberText::Parse(text, IsInteger(format));
        if (!read.ok)
            return 0;
        const QString whole = read.canonical.section(QLatin1Char('.'), 0, 0);
        bool ok = false;
        const qint64 value = whole.toLongLong(&ok);
        if (ok)
            return value;
        return whole.startsWith(QLatin1Char('-')) ? std::numeric_limits<qint64>::min()
                                                  : std::numeric_limits<qint64>::max();
    }
    static const QRegularExpression kLeading(QStringLiteral("^\\s*([+-]?\\d+)"));
    const auto match = kLeading.match(text);
    if (!match.hasMatch())
        return 0;
    bool ok = false;
    const qint64 value = match.captured(1).toLongLong(&ok);
    if (ok)
        return value;
    return match.captured(1).startsWith(QLatin1Char('-')) ? std::numeric_limits<qint64>::min()
                                                          : std::numeric_limits<qint64>::max();
}

double CValueFormat::ReadDouble(const QString& text, int format)
{
    if (IsNumber(format)) {
        const CNumberText::Read read = CNumberText::Parse(text, IsInteger(format));
        return read.ok ? read.Value() : 0.0;
    }
    static const QRegularExpression kLeading(
        QStringLiteral("^\\s*([+-]?(?:\\d+\\.?\\d*|\\.\\d+)(?:[eE][+-]?\\d+)?)"));
    const auto match = kLeading.match(text);
    return match.hasMatch() ? match.captured(1).toDouble() : 0.0;
}
