#include "desktop/design/CGraphicProjectFiles.h"

#include "desktop/design/CGraphicArchiveExport.h"
#include "desktop/design/CGraphicArchiveImport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

const QString kDatabase = QStringLiteral("db/progettografico.mdb");
const QString kPages = QStringLiteral("website/asp");
const QString kImages = QStringLiteral("website/images");
const QString kSystem = QStringLiteral("template/system");
// The starting style sheet and pictures the starting pages link.
const QString kStartImages = QStringLiteral("template/images");

// A page the same as the one to copy keeps its file time, so the next
// template upload does not send it again.
bool SameContent(const QString& source, const QString& target)
{
    QFile a(source);
    QFile b(target);
    if (a.size() != b.size() || !a.open(QIODevice::ReadOnly) || !b.open(QIODevice::ReadOnly))
        return false;
    while (!a.atEnd()) {
        if (a.read(1 << 16) != b.read(1 << 16))
            return false;
    }
    return true;
}

// Written aside and renamed over the target, so a copy cut short leaves
// the older file whole.
bool CopyOver(const QString& source, const QString& target, QString* error)
{
    QFile in(source);
    QSaveFile out(target);
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly)) {
        *error = QStringLiteral("Impossibile copiare %1 in %2.").arg(source, target);
        return false;
    }
    while (!in.atEnd()) {
        const QByteArray chunk = in.read(1 << 16);
        if (chunk.isEmpty() || out.write(chunk) != chunk.size()) {
            out.cancelWriting();
            *error = QStringLiteral("Impossibile copiare %1 in %2.").arg(source, target);
            return false;
        }
    }
    if (!out.commit()) {
        *error = QStringLiteral("Impossibile scrivere %1.").arg(target);
        return false;
    }
    return true;
}

} // namespace

CGraphicProjectFiles::CGraphicProjectFiles(const QString& installFolder, const QString& projectFolder)
    : m_strInstallFolder(installFolder), m_strProjectFolder(projectFolder)
{
}

QString CGraphicProjectFiles::ProjectPath(const QString& relative) const
{
    return QDir(m_strProjectFolder).filePath(relative);
}

QString CGraphicProjectFiles::InstallPath(const QString& relative) const
{
    return QDir(m_strInstallFolder).filePath(relative);
}

QString CGraphicProjectFiles::NotAProjectText()
{
    return QStringLiteral("Il file selezionato non contiene un progetto grafico.");
}

bool CGraphicProjectFiles::HasGraphicProject() const
{
    return QFileInfo::exists(ProjectPath(kDatabase));
}

QStringList CGraphicProjectFiles::FolderFiles(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

bool CGraphicProjectFiles::CopyFolderFiles(const QString& source, const QString& target, const QStringList& except,
                                           QString* error)
{
    if (!QDir().mkpath(target)) {
        *error = QStringLiteral("Impossibile creare la cartella %1.").arg(target);
        return false;
    }
    for (const QString& name : FolderFiles(source)) {
        if (except.contains(name, Qt::CaseInsensitive))
            continue;
        if (SameContent(QDir(source).filePath(name), QDir(target).filePath(name)))
            continue;
        if (!CopyOver(QDir(source).filePath(name), QDir(target).filePath(name), error))
            return false;
    }
    return true;
}

bool CGraphicProjectFiles::DeleteFolderFiles(const QString& folder, QString* error)
{
    for (const QString& name : FolderFiles(folder)) {
        if (!QFile::remove(QDir(folder).filePath(name))) {
            *error = QStringLiteral("Impossibile eliminare %1.").arg(QDir(folder).filePath(name));
            return false;
        }
    }
    return true;
}

bool CGraphicProjectFiles::ResetProjectFiles(QString* error)
{
    QString ignored;
    QString& message = error ? *error : ignored;
    // Nothing is deleted for a new project the installation cannot give.
    const QString empty = InstallPath(QStringLiteral("db/progettografico.mdb"));
    if (!QFileInfo(empty).isFile()) {
        message = QStringLiteral("Manca il progetto grafico vuoto dell'installazione (%1).").arg(empty);
        return false;
    }
    return DeleteFolderFiles(ProjectPath(kPages), &message) && DeleteFolderFiles(ProjectPath(kImages), &message)
           && QDir().mkpath(ProjectPath(QStringLiteral("db"))) && QDir().mkpath(ProjectPath(kImages))
           && CopyOver(empty, ProjectPath(kDatabase), &message)
           && CopyFolderFiles(InstallPath(kSystem), ProjectPath(kPages), {}, &message)
           && CopyFolderFiles(InstallPath(kStartImages), ProjectPath(kImages), {}, &message);
}

bool CGraphicProjectFiles::CopySystemPages(QString* error)
{
    QString ignored;
    return CopyFolderFiles(InstallPath(kSystem), ProjectPath(kPages), {QStringLiteral("default.asp")},
                           error ? error : &ignored);
}

CGraphicProjectFiles::ImportResult CGraphicProjectFiles::ImportProject(const QString& archivePath, QString* error)
{
    return CGraphicArchiveImport(m_strProjectFolder).Run(archivePath, error);
}

bool CGraphicProjectFiles::ExportProject(const QString& archivePath, bool preview, QString* error)
{
    return CGraphicArchiveExport(m_strProjectFolder).Run(archivePath, !preview, error);
}

QString CGraphicProjectFiles::ProposedArchiveName() const
{
    return QStringLiteral("pg") + QFileInfo(QDir::cleanPath(m_strProjectFolder)).fileName() + QStringLiteral(".zip");
}
