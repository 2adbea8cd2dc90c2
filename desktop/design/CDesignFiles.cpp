#include "desktop/design/CDesignFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>

bool CDesignFiles::NamesTemplate(const QString& code)
{
    return code.startsWith(QLatin1Char('\\')) || code.startsWith(QLatin1Char('/'));
}

QString CDesignFiles::TemplatePath(const QString& installFolder, const QString& code)
{
    if (!NamesTemplate(code))
        return QString();
    QString relative = code.mid(1);
    relative.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QStringList parts = relative.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (parts.isEmpty() || parts.contains(QStringLiteral("..")) || !IsPlainName(parts.last()))
        return QString();
    const QString base = QDir::cleanPath(installFolder + QStringLiteral("template"));
    const QString path = QDir::cleanPath(base + QLatin1Char('/') + parts.join(QLatin1Char('/')));
    if (!path.startsWith(base + QLatin1Char('/')))
        return QString();
    // A link inside the folder must not lead out of it either.
    const QString real = QFileInfo(path).canonicalFilePath();
    const QString realBase = QFileInfo(base).canonicalFilePath();
    if (!real.isEmpty() && !real.startsWith(realBase + QLatin1Char('/')))
        return QString();
    return path;
}

QString CDesignFiles::OwnName(const QString& code)
{
    QString name = code;
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    name = name.mid(name.lastIndexOf(QLatin1Char('/')) + 1);
    return IsPlainName(name) ? name : QString();
}

bool CDesignFiles::IsPlainName(const QString& name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") &&
           !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')) && !name.contains(QChar());
}

QString CDesignFiles::JoinLines(const QString& text)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    if (lines.last().isEmpty())
        lines.removeLast();
    QString joined;
    for (QString& line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        joined += line + QLatin1Char('\n');
    }
    return joined;
}

bool CDesignFiles::WriteText(const QString& path, const QString& text)
{
    QString stored = text;
    stored.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    stored.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(stored.toUtf8());
    return file.commit();
}
