#pragma once

#include "recordset/schema/ShopSchema.h"

#include <QString>
#include <QVariant>

// The text form of a column value as it travels between the desktop and the
// shop, both ways. Both ends are ours, so nothing is lost on the way:
//   Null                  ""  (an empty text arrives as Null)
//   Long, Short, Byte     decimal digits, "-" when negative
//   Single, Double        the shortest text that reads back to the same
//                         value, with a decimal comma ("12,5", "0,1")
//   Bool                  "TRUE" or "FALSE"
//   DateTime              "dd/MM/yyyy HH:mm:ss", four-digit year
//   Text, EText           as stored (enciphered columns travel enciphered)
// Reading is lenient where older senders differ: a decimal point or comma,
// "True"/"Vero"/"-1"/"1" and their opposites, a two-digit year, a date with
// no time, a time alone (a time of day on 30/12/1899). Anything else is an
// error, never a silent 0.
class CSyncValueText
{
public:
    static QString ToText(const QVariant& value, QtrColumnKind kind);
    // value receives what to bind: qint64, double, bool, QDateTime, QString
    // or a null QVariant. False with error set when text does not fit kind.
    static bool FromText(const QString& text, QtrColumnKind kind, QVariant* value, QString* error);

private:
    static QString RealText(double value);
    static bool ReadInteger(const QString& text, QtrColumnKind kind, QVariant* value);
    static bool ReadReal(const QString& text, QVariant* value);
    static bool ReadBool(const QString& text, QVariant* value);
    static bool ReadDate(const QString& text, QVariant* value);
};
