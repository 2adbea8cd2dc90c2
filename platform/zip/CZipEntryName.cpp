#include "platform/zip/CZipEntryName.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

QString CZipEntryName::ForFile(const QString& filePath, bool fullPath)
{
    QString name = QFileInfo(filePath).absoluteFilePath();
    if (!fullPath)
        return QFileInfo(name).fileName();
    while (name.startsWith(QLatin1Char('/')))
        name.remove(0, 1);
    return name;
}

QString CZipEntryName::SafeRelativePath(const QString& entryName, bool fullPath)
{
    // Archives made on Windows may separate folders with "\", so both count.
    static const QRegularExpression separators(QStringLiteral("[/\\\\]"));
    static const QRegularExpression drive(QStringLiteral("^[A-Za-z]:"));
    if (entryName.isEmpty() || entryName.startsWith(QLatin1Char('/'))
        || entryName.startsWith(QLatin1Char('\\')) || drive.match(entryName).hasMatch())
        return {};
    QStringList steps = entryName.split(separators, Qt::SkipEmptyParts);
    for (const QString& step : steps) {
        if (step == QLatin1String("..") || step.contains(QChar(0)))
            return {};
    }
    steps.removeAll(QStringLiteral("."));
    if (steps.isEmpty())
        return {};
    if (!fullPath)
        return steps.last();
    return steps.join(QLatin1Char('/'));
}
