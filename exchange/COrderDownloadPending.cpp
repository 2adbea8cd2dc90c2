#include "exchange/COrderDownloadPending.h"

#include "platform/dao/CDaoException.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <cstdio>
#include <unistd.h>

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
    QByteArray text;
    for (const Item& item : items) {
        QString line = QStringLiteral("%1|%2|%3").arg(QChar::fromLatin1(item.kind), item.table, item.id);
        if (!item.version.isEmpty())
            line += QLatin1Char('|') + item.version;
        text += (line + QLatin1Char('\n')).toUtf8();
    }
    // The size is checked on disk: a write cut short by a full disk or a
    // size limit may still be reported whole by the buffered layers.
    const QString aside = file + QStringLiteral(".nuovo");
    QFile out(aside);
    bool written = out.open(QIODevice::WriteOnly | QIODevice::Truncate) && out.write(text) == text.size() && out.flush()
                   && ::fsync(out.handle()) == 0;
    out.close();
    written = written && QFileInfo(aside).size() == text.size();
    if (!written || std::rename(QFile::encodeName(aside).constData(), QFile::encodeName(file).constData()) != 0) {
        QFile::remove(aside);
        throw CDaoException(QStringLiteral("Impossibile scrivere %1").arg(file));
    }
}
