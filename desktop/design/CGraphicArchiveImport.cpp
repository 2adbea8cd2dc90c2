#include "desktop/design/CGraphicArchiveImport.h"

#include "desktop/design/CFileMoves.h"
#include "platform/zip/CZipContainer.h"
#include "platform/zip/CZipEntryInfo.h"
#include "platform/zip/CZipException.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

const QString kDatabaseFolder = QStringLiteral("db");
const QString kPagesFolder = QStringLiteral("website/asp");
const QString kImagesFolder = QStringLiteral("website/images");
const QString kDatabaseName = QStringLiteral("progettografico.mdb");
const QString kUnchanged = QStringLiteral(" Il progetto grafico non è stato cambiato.");

// What the database entry must start with: the graphic database is SQLite.
const QByteArray kDatabaseHeader("SQLite format 3", 16);

bool IsDatabaseFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(kDatabaseHeader.size()) == kDatabaseHeader;
}

} // namespace

CGraphicArchiveImport::CGraphicArchiveImport(const QString& projectFolder) : m_strProjectFolder(projectFolder) {}

QString CGraphicArchiveImport::ProjectPath(const QString& relative) const
{
    return QDir(m_strProjectFolder).filePath(relative);
}

QString CGraphicArchiveImport::TargetFolder(const QString& name)
{
    const QString last = name.right(4).toLower();
    if (last == QLatin1String(".mdb"))
        return kDatabaseFolder;
    if (last == QLatin1String(".asp") || last == QLatin1String(".asa"))
        return kPagesFolder;
    return kImagesFolder;
}

QString CGraphicArchiveImport::TargetFolder(const CZipEntryInfo& info)
{
    const QString mark = info.comment.trimmed();
    return SiteFolders().contains(mark) ? mark : TargetFolder(info.name);
}

QStringList CGraphicArchiveImport::SiteFolders() { return {kPagesFolder, kImagesFolder}; }

QString CGraphicArchiveImport::Refusal(const CZipEntryInfo& info)
{
    // An export writes bare names only; anything else would reach a folder
    // it names, or out of the project.
    static const QRegularExpression unsafe(QStringLiteral("[/\\\\:\\x00-\\x1f]"));
    const QString& name = info.name;
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..") || name.contains(unsafe)
        || info.IsFolder())
        return QStringLiteral("L'archivio contiene \"%1\": sono ammessi solo nomi di file, senza cartelle.").arg(name)
               + kUnchanged;
    if (TargetFolder(info) == kDatabaseFolder && name.compare(kDatabaseName, Qt::CaseInsensitive) != 0)
        return QStringLiteral("L'archivio contiene il database \"%1\": un progetto grafico porta solo \"%2\".")
                   .arg(name, kDatabaseName)
               + kUnchanged;
    if (info.IsEncrypted())
        return QStringLiteral("L'archivio contiene \"%1\" cifrato con una password.").arg(name) + kUnchanged;
    return {};
}

bool CGraphicArchiveImport::Plan(const CZipContainer& zip, QList<Planned>* plan, QString* error) const
{
    const int count = zip.CountEntries();
    for (int i = 0; i < count; ++i) {
        CZipEntryInfo info;
        if (!zip.GetEntryInfo(info, i)) {
            *error = CZipException(CZipException::Damaged, QString()).GetText() + kUnchanged;
            return false;
        }
        const QString refusal = Refusal(info);
        if (!refusal.isEmpty()) {
            *error = refusal;
            return false;
        }
        const QString folder = TargetFolder(info);
        plan->append({i, folder, folder == kDatabaseFolder ? kDatabaseName : info.name});
    }
    return true;
}

bool CGraphicArchiveImport::Extract(CZipContainer& zip, const QList<Planned>& plan, const QString& staging,
                                    QString* error)
{
    for (const Planned& entry : plan) {
        const QString folder = staging + QLatin1Char('/') + entry.folder;
        QString why;
        bool extracted = false;
        try {
            extracted = QDir().mkpath(folder) && zip.ExtractEntry(entry.index, folder, false, entry.name);
        } catch (const CZipException& e) {
            why = QStringLiteral(": ") + e.GetText();
        }
        if (!extracted) {
            *error = QStringLiteral("Impossibile estrarre \"%1\" dall'archivio%2.").arg(entry.name, why) + kUnchanged;
            return false;
        }
        if (entry.folder == kDatabaseFolder && !IsDatabaseFile(folder + QLatin1Char('/') + entry.name)) {
            *error = QStringLiteral("Il file \"%1\" dell'archivio non è un database.").arg(entry.name) + kUnchanged;
            return false;
        }
    }
    return true;
}

// The project's files go aside, the extracted ones take their place; the
// old ones are dropped only once every new file stands.
bool CGraphicArchiveImport::Swap(const QList<Planned>& plan, const QString& staging, QString* error) const
{
    const QString fresh = staging + QStringLiteral("/new/");
    const QString aside = staging + QStringLiteral("/old/");
    CFileMoves moves;
    bool ok = QDir().mkpath(aside + kDatabaseFolder);
    QStringList olds;   // relative to the project
    if (QFileInfo(ProjectPath(kDatabaseFolder + QLatin1Char('/') + kDatabaseName)).isFile())
        olds << kDatabaseFolder + QLatin1Char('/') + kDatabaseName;
    for (const QString& folder : SiteFolders()) {
        ok = ok && QDir().mkpath(ProjectPath(folder)) && QDir().mkpath(aside + folder);
        for (const QString& name : CGraphicProjectFiles::FolderFiles(ProjectPath(folder)))
            olds << folder + QLatin1Char('/') + name;
    }
    for (const QString& old : olds)
        ok = ok && moves.Move(ProjectPath(old), aside + old);
    for (const Planned& entry : plan) {
        const QString relative = entry.folder + QLatin1Char('/') + entry.name;
        // An archive may hold a name twice: the last one extracted stands,
        // and was moved in with the first.
        if (!QFileInfo::exists(fresh + relative) && QFileInfo::exists(ProjectPath(relative)))
            continue;
        ok = ok && moves.Move(fresh + relative, ProjectPath(relative));
    }
    if (!ok) {
        moves.Undo();
        *error = QStringLiteral("Impossibile sostituire i file del progetto grafico.") + kUnchanged;
    }
    return ok;
}

CGraphicProjectFiles::ImportResult CGraphicArchiveImport::Run(const QString& archivePath, QString* error)
{
    using Result = CGraphicProjectFiles::ImportResult;
    QString ignored;
    QString& message = error ? *error : ignored;
    CZipContainer zip;
    try {
        zip.OpenContainer(archivePath, CZipContainer::OpenReadOnly);
        zip.SetSortedLookup(true);
        if (zip.FindEntry(QStringLiteral("global.asa"), false) < 0) {
            zip.CloseContainer();
            message = CGraphicProjectFiles::NotAProjectText();
            return Result::Refused;
        }
        QList<Planned> plan;
        if (!Plan(zip, &plan, &message))
            return Result::Refused;
        // Inside the project, on its disk: the last step is a rename.
        QTemporaryDir staging(ProjectPath(QStringLiteral(".importazione-XXXXXX")));
        if (!staging.isValid()) {
            message = QStringLiteral("Impossibile creare una cartella nel progetto.") + kUnchanged;
            return Result::Refused;
        }
        if (!Extract(zip, plan, staging.path() + QStringLiteral("/new"), &message))
            return Result::Refused;
        zip.CloseContainer();
        if (!Swap(plan, staging.path(), &message))
            return Result::Refused;
        for (const Planned& entry : plan) {
            if (entry.folder == kDatabaseFolder)
                return Result::WithDatabase;
        }
        return Result::SiteOnly;
    } catch (const CZipException& e) {
        zip.CloseContainer(true);
        message = e.GetText() + kUnchanged;
        return Result::Refused;
    }
}
