#include "platform/pagehost/CVirtualFolders.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString WithoutTrailingSlash(QString folder)
{
    while (folder.size() > 1 && (folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\'))))
        folder.chop(1);
    return folder;
}

// Both separators count, as on the system the sites were written for.
QStringList StepsOf(const QString& path)
{
    QString normal = path;
    normal.replace(QLatin1Char('\\'), QLatin1Char('/'));
    QStringList steps;
    for (const QString& step : normal.split(QLatin1Char('/'), Qt::SkipEmptyParts))
        if (step != QLatin1String("."))
            steps.append(step);
    return steps;
}

bool LeavesFolder(const QStringList& steps)
{
    for (const QString& step : steps)
        if (step == QLatin1String("..") || step.contains(QChar(0)))
            return true;
    return false;
}

} // namespace

void CVirtualFolders::SetRootDir(const QString& folder) { m_root = WithoutTrailingSlash(folder); }

void CVirtualFolders::AddVirtualDir(const QString& virtualPath, const QString& folder, bool served)
{
    qsizetype at = 0;
    while (at < m_virtualPaths.size() && m_virtualPaths.at(at).size() <= virtualPath.size())
        ++at;
    m_virtualPaths.insert(at, WithoutTrailingSlash(virtualPath));
    m_folders.insert(at, WithoutTrailingSlash(folder));
    m_served.insert(at, served);
}

bool CVirtualFolders::Split(const QString& path, QString& folder, QStringList& steps, bool* served) const
{
    if (served)
        *served = true;
    QString normal = path;
    normal.replace(QLatin1Char('\\'), QLatin1Char('/'));
    folder = m_root;
    QString rest = normal;
    for (qsizetype i = 0; i < m_virtualPaths.size(); ++i) {
        const QString& virtualPath = m_virtualPaths.at(i);
        // Only whole steps match: "/dbx" is not inside "/db".
        if (normal.startsWith(virtualPath, Qt::CaseInsensitive)
            && (normal.size() == virtualPath.size() || normal.at(virtualPath.size()) == QLatin1Char('/'))) {
            folder = m_folders.at(i);
            rest = normal.mid(virtualPath.size());
            if (served)
                *served = m_served.at(i);
            break;
        }
    }
    steps = StepsOf(rest);
    return !LeavesFolder(steps);
}

QString CVirtualFolders::MapTarget(const QString& path) const
{
    QString folder;
    QStringList steps;
    bool served = true;
    if (!Split(path, folder, steps, &served) || steps.isEmpty() || !served)
        return QString();
    const QString file = ResolveIgnoringCase(folder, steps);
    return !file.isEmpty() && Inside(file, folder) ? file : QString();
}

// Links resolved on both sides, so a link inside the folder that points
// out of it is caught while the folder itself may be reached through one.
bool CVirtualFolders::Inside(const QString& file, const QString& folder)
{
    const QString realFile = QFileInfo(file).canonicalFilePath();
    const QString realFolder = QFileInfo(folder).canonicalFilePath();
    return !realFile.isEmpty() && !realFolder.isEmpty() && realFile.startsWith(realFolder + QLatin1Char('/'));
}

QString CVirtualFolders::MapPath(const QString& path) const
{
    QString folder;
    QStringList steps;
    if (!Split(path, folder, steps))
        return QString();
    return steps.isEmpty() ? folder : folder + QLatin1Char('/') + steps.join(QLatin1Char('/'));
}

QString CVirtualFolders::MapRootFile(const QString& relativePath) const
{
    const QStringList steps = StepsOf(relativePath);
    if (steps.isEmpty() || LeavesFolder(steps))
        return QString();
    const QString file = ResolveIgnoringCase(m_root, steps);
    return !file.isEmpty() && Inside(file, m_root) ? file : QString();
}

// Pages name their files with whatever letter case the merchant typed; the
// exact name is tried first so the usual case costs no folder listing.
QString CVirtualFolders::ResolveIgnoringCase(const QString& folder, const QStringList& steps)
{
    const QString exact = folder + QLatin1Char('/') + steps.join(QLatin1Char('/'));
    if (QFileInfo(exact).isFile())
        return exact;
    QString current = folder;
    for (qsizetype i = 0; i < steps.size(); ++i) {
        const QString candidate = current + QLatin1Char('/') + steps.at(i);
        if (QFileInfo::exists(candidate)) {
            current = candidate;
            continue;
        }
        const QStringList entries = QDir(current).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        const auto match = std::find_if(entries.begin(), entries.end(), [&](const QString& entry) {
            return entry.compare(steps.at(i), Qt::CaseInsensitive) == 0;
        });
        if (match == entries.end())
            return QString();
        current += QLatin1Char('/') + *match;
    }
    return QFileInfo(current).isFile() ? current : QString();
}
