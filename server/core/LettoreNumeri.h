#pragma once

#include <QString>
#include <QVariant>

#include <optional>

// The one reader of the numbers the shop takes from outside: request and
// Session values, page arguments, basket texts, discount texts, the bank's
// amounts, the synchronisation's IDs. A text is read strictly: blanks
// around it, a sign where one is allowed, digits with at most one decimal
// point or comma ("1,5" and "1.5" are one and a half, as Italian shoppers
// and older baskets write them) and a power of ten as the basket writes
// the smallest figures ("1e-05"). No thousands separators ("1.000,50" is no
// number), nothing after the digits ("12abc" is not 12). A value that is a
// number already is taken as it is; a boolean is none.
class LettoreNumeri
{
public:
    LettoreNumeri() = delete;

    // A finite decimal.
    static std::optional<double> Decimale(const QString& testo);
    static std::optional<double> Decimale(const QVariant& valore);

    // A whole number in the 32-bit range (digits only in a text, ten at
    // most); a negative one only where the sign is allowed.
    static std::optional<qint32> Intero(const QString& testo, bool conSegno = true);
    static std::optional<qint32> Intero(const QVariant& valore, bool conSegno = true);
};
