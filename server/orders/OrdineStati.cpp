#include "server/orders/OrdineStati.h"

#include <QStringList>

namespace {

// The zero date of the shop's dates carries a time of day.
const QDate kGiornoZero(1899, 12, 30);

QDateTime Data(const QString& testo)
{
    for (const char* formato : {"d/M/yyyy", "d/M/yy"}) {
        const QDate d = QDate::fromString(testo.trimmed(), QLatin1String(formato));
        if (d.isValid())
            return QDateTime(d, QTime(0, 0));
    }
    return {};
}

QDateTime Ora(const QString& testo)
{
    for (const char* formato : {"H:mm", "H:mm:ss"}) {
        const QTime t = QTime::fromString(testo.trimmed(), QLatin1String(formato));
        if (t.isValid())
            return QDateTime(kGiornoZero, t);
    }
    return {};
}

} // namespace

OrdineStati::Voce OrdineStati::Leggi(qint64 numero) const
{
    Voce voce;
    const QStringList pezzi = m_stati.split(QLatin1Char('|'));
    // The piece after the last "|" is never an entry.
    if (numero < 1 || numero > pezzi.size() - 1)
        return voce;
    const QStringList parti = pezzi.at(int(numero - 1)).split(QLatin1Char('#'));
    voce.trovata = true;
    voce.data = Data(parti.value(0));
    voce.ora = Ora(parti.value(1));
    // A "#" inside the state text belongs to it.
    voce.descrizione = parti.mid(2).join(QLatin1Char('#'));
    return voce;
}
