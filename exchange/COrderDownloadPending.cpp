#include "exchange/COrderDownloadPending.h"

#include "platform/dao/CDaoException.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>

QList<COrderDownloadPending::Item> COrderDownloadPending::Read(const QString& file)
{
    QList<Item> items;
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return items;
    for (const QString& line : QString::fromUtf8(in.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QStringList parts = line.split(QLatin1Char('|'));
        // Lists of earlier runs have no version.
        if ((parts.size() == 3 || parts.size() == 4) && parts[0].size() == 1)
            items.append({parts[0].at(0).toLatin1(), parts[1], parts[2], parts.value(3)});
    }
    return items;
}

void COrderDownloadPending::Write(const QString& file, const QList<Item>& items)
{
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        throw CDaoException(QStringLiteral("Impossibile scrivere %1").arg(file));
    for (const Item& item : items) {
        QString line = QStringLiteral("%1|%2|%3").arg(QChar::fromLatin1(item.kind), item.table, item.id);
        if (!item.version.isEmpty())
            line += QLatin1Char('|') + item.version;
        out.write((line + QLatin1Char('\n')).toUtf8());
    }
    if (!out.commit())
        throw CDaoException(QStringLiteral("Impossibile scrivere %1").arg(file));
}
