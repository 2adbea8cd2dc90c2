#pragma once

#include <QString>
#include <QVariant>

#include <optional>

// Values from the request, the Session and the page's arguments, read
// strictly before they reach a query: "12abc" is not the ID 12.
class CatalogoValori
{
public:
    CatalogoValori() = delete;

    // A whole number in the 32-bit range, given as a number or as digits;
    // nothing for anything else (a category code, say).
    static std::optional<qint32> Numero(const QVariant& valore);

    // An ID or page number: nothing when empty; throws
    // std::invalid_argument naming what when it is not a whole number.
    static std::optional<qint32> Id(const QVariant& valore, const char* cosa);
    // The same, as a value to bind: null when empty.
    static QVariant IdDaLegare(const QVariant& valore, const char* cosa);

    // A Session switch read as a number; empty reads as 0.
    static qint32 Intero(const QVariant& valore, const char* cosa);

    static bool Vuoto(const QVariant& valore);
    // An optional ID argument left out or given as 0.
    static bool Zero(const QVariant& valore);
    // A 16-bit Session switch: empty reads as 0.
    static qint16 Flag16(const QVariant& valore);
};
