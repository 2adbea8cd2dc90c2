#include "desktop/shell/projects/CProjectFolder.h"

#include "platform/dao/CDatabaseFile.h"

#include <QDir>
#include <QFileInfo>

const QStringList& CProjectFolder::Layout()
{
    static const QStringList folders = {
        QStringLiteral("db"),
        QStringLiteral("website"),
        QStringLiteral("website/demo"),
        QStringLiteral("website/demo/prodotti"),
        QStringLiteral("website/demo/prodotti/th"),
        QStringLiteral("website/asp"),
        QStringLiteral("website/images"),
        QStringLiteral("website/images/demo"),
        QStringLiteral("website/images/categorie"),
        QStringLiteral("website/images/prodotti"),
        QStringLiteral("website/images/prodotti/th"),
        QStringLiteral("website/images/prodotti/colori"),
        QStringLiteral("website/images/prodotti/colori/th"),
        QStringLiteral("website/images/prodotti/colori/dettagli"),
    };
    return folders;
}

CProjectFolder::CheckResult CProjectFolder::Check(const QString& folder)
{
    const QDir dir(WithoutSlash(folder));
    if (folder.isEmpty() || !dir.exists())
        return Missing;
    if (!QFileInfo(dir.filePath(QStringLiteral("db"))).isDir()
        || !QFileInfo(dir.filePath(QStringLiteral("website"))).isDir())
        return NotAProject;
    return Valid;
}

QString CProjectFolder::CheckMessage(CheckResult result)
{
    switch (result) {
    case Missing:
        return QStringLiteral("Il progetto non esiste più nella cartella specificata.");
    case NotAProject:
        return QStringLiteral("La cartella selezionata non contiene un progetto valido.");
    case Valid:
        break;
    }
    return QString();
}

bool CProjectFolder::HoldsProject(const QString& folder)
{
    return !folder.isEmpty() && (QFileInfo::exists(DatabasePath(folder)) || Check(folder) == Valid);
}

QString CProjectFolder::ExistsMessage()
{
    return QStringLiteral("Nella cartella specificata esiste già un progetto.\nScegliere un nome diverso per il nuovo progetto.");
}

bool CProjectFolder::Create(const QString& projectFolder, const QString& installFolder, QString* error)
{
    const QString project = WithSlash(projectFolder);
    const QString install = WithSlash(installFolder);
    // The merchant's pages and data of a project already there are never
    // replaced by the installation's.
    if (HoldsProject(project)) {
        if (error)
            *error = ExistsMessage();
        return false;
    }
    // A folder that is there already is as good as a new one.
    for (const QString& folder : Layout())
        QDir().mkpath(project + folder);
    if (!CDatabaseFile::Copy(ReferenceDatabasePath(install), DatabasePath(project), error))
        return false;
    if (!CDatabaseFile::Copy(DbFile(install, QStringLiteral("progettografico.mdb")), GraphicDatabasePath(project),
                             error))
        return false;
    // The starting pages link the style sheet made from the graphic
    // project, which the site keeps among its pictures.
    return CopyFolder(install + QStringLiteral("template/system"), project + QStringLiteral("website/asp"), error)
           && CopyFolder(install + QStringLiteral("template/images"), project + QStringLiteral("website/images"),
                         error);
}

bool CProjectFolder::CopyFolder(const QString& from, const QString& to, QString* error)
{
    const QDir source(from);
    const QFileInfoList files = source.entryInfoList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo& file : files) {
        const QString target = QDir(to).filePath(file.fileName());
        QFile::remove(target);
        if (!QFile::copy(file.filePath(), target)) {
            if (error)
                *error = QStringLiteral("Impossibile copiare il file '%1' in '%2'.").arg(file.filePath(), target);
            return false;
        }
    }
    return true;
}

QString CProjectFolder::CreatedNotice()
{
    return QStringLiteral(
        "ATTENZIONE: prima di aggiornare i dati del sito con il progetto appena creato è necessario "
        "procedere alla configurazione dei parametri generali e di quelli aziendali.\nIn caso contrario "
        "possono verificarsi malfunzionamenti del sito che comunque scompariranno dopo la corretta "
        "configurazione.");
}

QString CProjectFolder::Title(const QString& projectFolder)
{
    const QString folder = WithoutSlash(projectFolder);
    const QString name = folder.mid(folder.lastIndexOf(QLatin1Char('/')) + 1);
    return QStringLiteral("Quintaro - [") + name + QStringLiteral("]");
}

QString CProjectFolder::WithSlash(const QString& folder)
{
    const QString result = WithoutSlash(folder);
    return result.endsWith(QLatin1Char('/')) ? result : result + QLatin1Char('/');
}

QString CProjectFolder::WithoutSlash(const QString& folder)
{
    QString result = folder;
    // The root folder keeps its one "/".
    while (result.size() > 1 && result.endsWith(QLatin1Char('/')))
        result.chop(1);
    return result;
}

QString CProjectFolder::DatabasePath(const QString& projectFolder)
{
    return DbFile(projectFolder, QStringLiteral("database.mdb"));
}

QString CProjectFolder::GraphicDatabasePath(const QString& projectFolder)
{
    return DbFile(projectFolder, QStringLiteral("progettografico.mdb"));
}

QString CProjectFolder::BackupPath(const QString& projectFolder)
{
    return DbFile(projectFolder, QStringLiteral("backup.mdb"));
}

QString CProjectFolder::TempDatabasePath(const QString& projectFolder)
{
    return DbFile(projectFolder, QStringLiteral("tempdb.mdb"));
}

QString CProjectFolder::LockPath(const QString& projectFolder)
{
    return DbFile(projectFolder, QStringLiteral("sync.lck"));
}

QString CProjectFolder::ReferenceDatabasePath(const QString& installFolder)
{
    return DbFile(installFolder, QStringLiteral("database.mdb"));
}

QString CProjectFolder::DbFile(const QString& folder, const QString& name)
{
    return WithSlash(folder) + QStringLiteral("db/") + name;
}
