#pragma once

#include <QDateTime>
#include <QString>

// The state history of an order (Ordini.Stati) as the desk writes it:
// entries "dd/mm/yyyy#hh:mm#text|", oldest first. Only entries closed by
// "|" count.
class OrdineStati
{
public:
    struct Voce
    {
        bool trovata = false;
        // Null when the field is not a valid date or time: the reader then
        // keeps what it showed before.
        QDateTime data, ora;
        QString descrizione;
    };

    explicit OrdineStati(const QString& stati) : m_stati(stati) {}

    // Entry numero, counted from 1. An entry with fewer than three fields
    // is still read: the missing ones are empty.
    Voce Leggi(qint64 numero) const;

private:
    QString m_stati;
};
