#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

// The state history of an order (Ordini.Stati) as the desk and the shop
// share it: entries of date "#" time "#" state text "|", oldest first.
// The text has no escaping, so what is written never holds a "|" inside a
// field, nor a "#" inside a date or time: the history reads back as it was
// written, whatever the merchant typed.
class COrdineStati
{
public:
    struct Entry
    {
        QString strData;
        QString strOra;
        QString strStato;

        bool operator==(const Entry&) const = default;
    };

    // A stored history; an entry cut short (no closing "|" or "#") takes
    // the rest of the text as its last field.
    static QList<Entry> Parse(const QString& stati);
    // The text to store; fields are made safe first (SafeField).
    static QString Build(const QList<Entry>& entries);

    // A state text as the merchant typed it, with the separators replaced:
    // "|" by "/" and "#" by "n.".
    static QString Typed(const QString& text);

    // An entry stamped now, as the desk adds one.
    static Entry Stamped(const QString& text, const QDateTime& now);

    // Where a new entry goes: right after the current row when that is not
    // the last one, else at the end. current is -1 when no row is current.
    static int InsertPosition(int current, int count);

private:
    static QString SafeDateTime(const QString& field);
};
