#include "desktop/design/CGraphicArchiveExport.h"

#include "desktop/design/CGraphicArchiveImport.h"
#include "desktop/design/CGraphicProjectFiles.h"
#include "platform/zip/CZipContainer.h"
#include "platform/zip/CZipEntryInfo.h"
#include "platform/zip/CZipException.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

CGraphicArchiveExport::CGraphicArchiveExport(const QString& projectFolder) : m_strProjectFolder(projectFolder) {}

QString CGraphicArchiveExport::ProjectPath(const QString& relative) const
{
    return QDir(m_strProjectFolder).filePath(relative);
}

bool CGraphicArchiveExport::List(bool withDatabase, QList<Listed>* files, QString* error) const
{
    if (withDatabase) {
        const QString database = ProjectPath(QStringLiteral("db/progettografico.mdb"));
        if (!QFileInfo(database).isFile()) {
            *error = QStringLiteral("Il progetto non ha un progetto grafico da esportare.");
            return false;
        }
        files->append({database, QString()});
    }
    // Bare names: one name in both folders would leave one of the files
    // out of the archive.
    QSet<QString> names;
    for (const QString& folder : CGraphicArchiveImport::SiteFolders()) {
        for (const QString& name : CGraphicProjectFiles::FolderFiles(ProjectPath(folder))) {
            if (names.contains(name)) {
                *error = QStringLiteral("Il file \"%1\" è sia in website/asp sia in website/images: l'archivio, "
                                        "che porta i file senza cartelle, non può contenerli entrambi.")
                             .arg(name);
                return false;
            }
            names.insert(name);
            const bool elsewhere = CGraphicArchiveImport::TargetFolder(name) != folder;
            files->append({QDir(ProjectPath(folder)).filePath(name), elsewhere ? folder : QString()});
        }
    }
    return true;
}

bool CGraphicArchiveExport::Add(CZipContainer& zip, const Listed& file)
{
    CZipEntryInfo header;
    header.name = QFileInfo(file.path).fileName();
    header.comment = file.mark;
    QFile in(file.path);
    if (!in.open(QIODevice::ReadOnly) || !zip.OpenNewEntry(header, -1, file.path))
        return false;
    while (!in.atEnd()) {
        const QByteArray chunk = in.read(1 << 16);
        if (chunk.isEmpty())
            return false;
        zip.WriteNewEntryData(chunk.constData(), chunk.size());
    }
    zip.CloseNewEntry();
    return true;
}

bool CGraphicArchiveExport::Run(const QString& archivePath, bool withDatabase, QString* error)
{
    QString ignored;
    QString& message = error ? *error : ignored;
    // Listed before the archive is made: one written into a listed folder
    // does not archive itself.
    QList<Listed> files;
    if (!List(withDatabase, &files, &message))
        return false;
    // An older archive of the same name inside a site folder is replaced,
    // not archived in the new one.
    const QString target = QFileInfo(archivePath).absoluteFilePath();
    files.removeIf([&](const Listed& file) { return QFileInfo(file.path).absoluteFilePath() == target; });
    CZipContainer zip;
    try {
        zip.OpenContainer(archivePath, CZipContainer::Create);
        for (const Listed& file : files) {
            if (!Add(zip, file)) {
                zip.CloseContainer(true);
                message = QStringLiteral("Impossibile leggere %1.").arg(file.path);
                return false;
            }
        }
        zip.CloseContainer();
    } catch (const CZipException& e) {
        zip.CloseContainer(true);
        message = e.GetText();
        return false;
    }
    return true;
}
