#include "desktop/publishing/cdrom/CCdFolderCopy.h"

#include "desktop/catalogue/ICatalogueProgress.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

CCdFolderCopy::CCdFolderCopy(ICatalogueProgress& progress, const std::atomic<bool>& stop)
    : m_progress(progress), m_stop(stop)
{
}

bool CCdFolderCopy::CopyFile(const QString& source, const QString& target)
{
    if (!QFileInfo(source).isFile())
        return true;
    QDir().mkpath(QFileInfo(target).absolutePath());
    QFile::remove(target);
    if (!QFile::copy(source, target)) {
        m_strError = QStringLiteral("Impossibile copiare %1 in %2.").arg(source, target);
        return false;
    }
    // A read-only file on the CD needs no write bit; the image's copy may
    // still be replaced by the next build.
    QFile::setPermissions(target, QFile::permissions(target) | QFileDevice::WriteOwner);
    return true;
}

bool CCdFolderCopy::CopyFolder(const QString& source, const QString& target, const QStringList& leaveOut)
{
    const QDir from(source);
    if (!from.exists())
        return true;
    QDir().mkpath(target);
    const QFileInfoList files = from.entryInfoList(QDir::Files | QDir::Hidden, QDir::Name);
    m_progress.SetTotal(int(files.size()));
    int done = 0;
    for (const QFileInfo& file : files) {
        if (m_stop.load())
            return false;
        ++done;
        m_progress.SetLabel(QStringLiteral("Copia file %1/%2 in corso...").arg(done).arg(files.size()));
        if (!CopyFile(file.absoluteFilePath(), target + QLatin1Char('/') + file.fileName()))
            return false;
        m_progress.SetDone(done);
    }
    for (const QFileInfo& folder : from.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name)) {
        if (leaveOut.contains(folder.fileName(), Qt::CaseInsensitive))
            continue;
        if (!CopyFolder(folder.absoluteFilePath(), target + QLatin1Char('/') + folder.fileName()))
            return false;
    }
    return true;
}

bool CCdFolderCopy::DeleteFolder(const QString& folder)
{
    const QDir dir(folder);
    if (!dir.exists())
        return true;
    // Links go as files: what they point to is not the image's.
    QFileInfoList files, folders;
    for (const QFileInfo& entry :
         dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name))
        (entry.isDir() && !entry.isSymLink() ? folders : files).append(entry);
    m_progress.SetTotal(int(files.size()));
    int done = 0;
    for (const QFileInfo& file : files) {
        ++done;
        m_progress.SetLabel(QStringLiteral("Cancellazione file %1/%2 in corso...").arg(done).arg(files.size()));
        QFile::remove(file.absoluteFilePath());
        m_progress.SetDone(done);
    }
    for (const QFileInfo& sub : folders)
        DeleteFolder(sub.absoluteFilePath());
    if (!QDir().rmdir(folder)) {
        m_strError = QStringLiteral("Impossibile cancellare la cartella %1.").arg(folder);
        return false;
    }
    return true;
}
