#include "platform/utilities/QtrUtilities.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

namespace {

const QString kMarker = QStringLiteral("upd.qtr");

QString MarkerPath(const QString& projectFolder) { return QDir(projectFolder).filePath(kMarker); }

} // namespace

bool AlertUpd(const QString& projectFolder)
{
    if (projectFolder.isEmpty())
        return true;
    const QString path = MarkerPath(projectFolder);
    if (QFileInfo(path).isFile())
        return true;
    QFile marker(path);
    if (!marker.open(QIODevice::WriteOnly) || marker.write("1") != 1)
        return false;
    marker.close();
    return marker.error() == QFileDevice::NoError;
}

void DeleteAlertUpd(const QString& projectFolder)
{
    if (!projectFolder.isEmpty())
        QFile::remove(MarkerPath(projectFolder));
}

bool IsAlertUpd(const QString& projectFolder)
{
    return !projectFolder.isEmpty() && QFileInfo::exists(MarkerPath(projectFolder));
}

bool CreatePath(const QString& path)
{
    if (path.isEmpty())
        return false;
    return QDir().mkpath(path);
}

QString ElaboraKeywords(const QString& text)
{
    // Markup that editors store with the texts is not a search word.
    QString plain = text;
    static const QRegularExpression markup(QStringLiteral("<[^>]*>"));
    static const QRegularExpression entities(QStringLiteral("&[a-zA-Z]+;|&#[0-9]+;"));
    plain.remove(markup);
    plain.replace(entities, QStringLiteral(" "));
    static const QRegularExpression separators(QStringLiteral("[^\\p{L}\\p{N}]+"));
    QStringList words;
    QSet<QString> seen;
    for (const QString& word : plain.toLower().split(separators, Qt::SkipEmptyParts)) {
        if (word.size() < 2 || seen.contains(word))
            continue;
        seen.insert(word);
        words << word;
    }
    return words.join(QLatin1Char(' '));
}
