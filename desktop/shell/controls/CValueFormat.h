#pragma once

#include <QChar>
#include <QDateTime>
#include <QString>

// The on-screen forms of numbers, dates, times and the Italian fiscal code,
// shared by the grid's cells and the validated edit fields. Numbers are
// shown and read in the merchant's region by CNumberText.
class CValueFormat
{
public:
    enum Format : quint8 {
        Text = 0,
        Integer = 1,
        Decimal = 2,
        GroupedInteger = 3,
        GroupedDecimal = 4,
        Date = 5,
        FiscalCode = 6,
        Time = 7,
    };

    // Outcome of checking an entry: the text to keep, or the message to show.
    struct Checked
    {
        bool ok = true;
        QString text;
        QString error;
    };

    static bool IsGrouped(int format) { return format == GroupedInteger || format == GroupedDecimal; }
    static bool IsNumber(int format) { return format >= Integer && format <= GroupedDecimal; }
    static bool IsInteger(int format) { return format == Integer || format == GroupedInteger; }
    // Where a typed number's decimals start (its comma, else its point); -1.
    static int DecimalPosition(const QString& text);

    // A number as the cell shows it: integral values without decimals, others
    // with `decimals` places and the trailing zeros dropped, in the region's
    // form (CNumberText).
    static QString FormatNumber(double value, int format, int decimals);
    // Integers print exactly, also beyond the reach of a float (server IDs).
    static QString FormatInteger(qint64 value, int format);

    static QString Group(const QString& text);
    static QString RemoveGroups(const QString& text);

    // Date: raw "ddmmyyyy" <-> display "dd/mm/yyyy". An impossible calendar
    // date gives "Error"; "99999999" stands for itself.
    static QString DateRawToDisplay(const QString& raw);
    static QString DateDisplayToRaw(const QString& display);
    static QString FormatDate(const QDateTime& value);
    // An empty or impossible text gives a null (invalid) date.
    static QDateTime ReadDate(const QString& display);

    // Time: raw "hhmm" <-> display "hh:mm"; "9999" stands for itself.
    static QString TimeRawToDisplay(const QString& raw);
    static QString TimeDisplayToRaw(const QString& display);
    static QString FormatTime(const QDateTime& value);

    static QChar FiscalCodeCheckChar(const QString& first15);
    static bool IsValidFiscalCode(const QString& code);

    // The form shown while the entry is being typed (no separators).
    static QString ToRaw(const QString& display, int format);
    // Normalises and checks an entry; on failure `error` holds the message.
    static Checked Check(const QString& entry, int format);

    // Whether a character typed at `selStart` may join `text`, replacing the
    // `selLength` characters selected there. A width of 0 or less sets no
    // limit.
    static bool AcceptChar(QChar ch, const QString& text, int selStart, int selLength,
                           int format, int width, int decimals);

    // Number formats (1 to 4) read the whole text as CNumberText does, 0
    // when it is not a number; other formats like the C library (leading
    // blanks, a sign, the leading digits; 0 when there are none).
    static qint64 ReadInteger(const QString& text, int format);
    static double ReadDouble(const QString& text, int format);

    static const QString kDateError;
    static const QString kTimeError;
    static const QString kFiscalCodeError;
    static const QString kValidationCaption;

private:
    static Checked CheckSeparated(const QString& entry, QChar separator, int digits,
                                  QString (*toDisplay)(const QString&), const QString& error);
};
