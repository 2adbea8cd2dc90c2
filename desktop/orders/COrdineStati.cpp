#include "desktop/orders/COrdineStati.h"

namespace {

const QChar kFieldEnd(QLatin1Char('#'));
const QChar kEntryEnd(QLatin1Char('|'));

// The text up to the next separator; the rest stays in text. Without the
// separator the whole rest is the field.
QString TakeUpTo(QString& text, QChar separator)
{
    const qsizetype at = text.indexOf(separator);
    if (at < 0) {
        QString field = text;
        text.clear();
        return field;
    }
    QString field = text.left(at);
    text.remove(0, at + 1);
    return field;
}

} // namespace

QList<COrdineStati::Entry> COrdineStati::Parse(const QString& stati)
{
    QList<Entry> entries;
    QString rest = stati;
    while (!rest.isEmpty()) {
        Entry entry;
        // The state text ends at "|"; only its part before the first two
        // "#" is date and time, a "#" in the state text belongs to it.
        QString piece = TakeUpTo(rest, kEntryEnd);
        entry.strData = TakeUpTo(piece, kFieldEnd);
        entry.strOra = TakeUpTo(piece, kFieldEnd);
        entry.strStato = piece;
        entries.append(entry);
    }
    return entries;
}

QString COrdineStati::SafeDateTime(const QString& field)
{
    QString safe = field;
    safe.replace(kEntryEnd, QLatin1Char('/'));
    safe.replace(kFieldEnd, QLatin1Char(' '));
    return safe;
}

QString COrdineStati::Build(const QList<Entry>& entries)
{
    QString text;
    for (const Entry& entry : entries) {
        QString stato = entry.strStato;
        stato.replace(kEntryEnd, QLatin1Char('/'));
        text += SafeDateTime(entry.strData) + kFieldEnd + SafeDateTime(entry.strOra) + kFieldEnd + stato + kEntryEnd;
    }
    return text;
}

QString COrdineStati::Typed(const QString& text)
{
    QString safe = text;
    safe.replace(kEntryEnd, QLatin1Char('/'));
    safe.replace(kFieldEnd, QLatin1String("n."));
    return safe;
}

COrdineStati::Entry COrdineStati::Stamped(const QString& text, const QDateTime& now)
{
    return {now.toString(QStringLiteral("dd/MM/yyyy")), now.toString(QStringLiteral("HH:mm")), Typed(text)};
}

int COrdineStati::InsertPosition(int current, int count)
{
    return current >= 0 && current < count - 1 ? current + 1 : count;
}
