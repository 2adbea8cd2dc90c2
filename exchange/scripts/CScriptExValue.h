#pragma once

#include "recordset/schema/ShopSchema.h"

#include <QString>
#include <QVariant>

// How the merchant's scripts write and read column values as text.
//
// Writing (SetCampo) reads what outside systems write: numbers with a
// decimal comma or point and thousands separators ("1.234,5", "1,234.5"),
// booleans as TRUE/FALSE, Vero/Falso, true/false, -1/1/0, dates
// "d/m/yyyy" with an optional "hh:mm[:ss]", or a time alone. A text that
// does not fit its column is an error the script sees, never a silent 0.
//
// Reading (ValoreCampo) prints reals in the old "%15f" shape without the
// trailing zeros ("      12,5"), booleans TRUE/FALSE, dates "dd/mm/yy" or
// "hh:mm:ss" for a time of day.
class CScriptExValue
{
public:
    // value receives what to store (a null QVariant for an empty date or
    // number). False with error set when text does not fit kind.
    static bool Parse(const QString& text, QtrColumnKind kind, QVariant* value, QString* error);
    static QString Text(const QVariant& value, QtrColumnKind kind);

private:
    static bool ParseNumber(QString text, double* number);
    static bool ParseBool(const QString& text, bool* flag);
    static bool ParseDate(const QString& text, QVariant* value);
};
