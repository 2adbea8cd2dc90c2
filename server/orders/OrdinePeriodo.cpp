#include "server/orders/OrdinePeriodo.h"

QDate OrdinePeriodo::Giorno(const QString& testo)
{
    for (const char* formato : {"d/M/yyyy", "d/M/yy"}) {
        QDate d = QDate::fromString(testo.trimmed(), QLatin1String(formato));
        if (d.isValid()) {
            // Two-digit years are of this century, as the desk writes them.
            if (QLatin1String(formato) == QLatin1String("d/M/yy") && d.year() < 2000)
                d = d.addYears(100);
            return d;
        }
    }
    return {};
}

OrdinePeriodo::OrdinePeriodo(const QString& dallaData, const QString& allaData)
{
    const QDate dal = dallaData.isEmpty() ? QDate(2000, 1, 1) : Giorno(dallaData);
    if (!dal.isValid()) {
        m_esito = DataInizialeErrata;
        return;
    }
    const QDate al = allaData.isEmpty() ? QDate(3000, 12, 31) : Giorno(allaData);
    if (!al.isValid()) {
        m_esito = DataFinaleErrata;
        return;
    }
    m_dal = QDateTime(dal, QTime(0, 0));
    m_dopoAl = QDateTime(al.addDays(1), QTime(0, 0));
}

QString OrdinePeriodo::CodiceErrore() const
{
    switch (m_esito) {
    case DataInizialeErrata:
        return QStringLiteral("DATAINIZIALEERRATA");
    case DataFinaleErrata:
        return QStringLiteral("DATAFINALEERRATA");
    default:
        return QString();
    }
}
