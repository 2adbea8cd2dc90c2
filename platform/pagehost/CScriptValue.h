#pragma once

#include <QString>
#include <QVariant>

// The values a Session or the Application keeps: booleans, numbers, text,
// dates and null, each with its own type, so that a page reads back what it
// stored (false stays false, 0 stays 0). Anything else (script objects,
// arrays, functions) has no lasting form and is refused.
class CScriptValue
{
public:
    // The value as kept (bool, qint64 or double, QString, QDateTime, or a
    // null variant of std::nullptr_t); an invalid variant stays invalid.
    // False for a value that cannot be kept.
    static bool Normalize(const QVariant& value, QVariant& kept);

    // A text form that keeps the type, for stores that write values out
    // ("b:true", "n:0", "n:2.5", "s:text", "d:2026-01-31T10:00:00.000Z",
    // "z:" for null); Decode gives an invalid variant for unreadable text.
    static QString Encode(const QVariant& kept);
    static QVariant Decode(const QString& text);

    static QString ConversionError();
};
