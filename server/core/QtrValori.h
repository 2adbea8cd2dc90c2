#pragma once

#include <QString>
#include <QVariant>

// Conversions of the values that pages and the Session hand to the server
// classes, with the rules of the scripting runtime they come from: a flag
// may arrive as a boolean, a number or a text such as "True" or "-1".
class QtrValori
{
public:
    QtrValori() = delete;

    // A Session flag: true for true, a nonzero number or "true"; an empty
    // or unreadable value is false.
    static bool Vero(const QVariant& valore);

    // A page's argument as a flag; throws std::invalid_argument when it is
    // neither a boolean nor a number nor "true"/"false".
    static bool Booleano(const QVariant& valore);

    // A page's argument as a 16-bit integer, halves to even; throws
    // std::invalid_argument when it is not a number in range.
    static qint16 Intero16(const QVariant& valore);

    // A stored flag column as a boolean; null stays null.
    static QVariant FlagMemorizzato(const QVariant& valore);
};
