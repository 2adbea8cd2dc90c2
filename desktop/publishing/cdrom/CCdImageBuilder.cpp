#include "desktop/publishing/cdrom/CCdImageBuilder.h"

#include "desktop/publishing/cdrom/CCdDatabasePruner.h"
#include "desktop/publishing/cdrom/CCdFolderCopy.h"
#include "desktop/publishing/cdrom/CCdMessagesFile.h"
#include "platform/dao/CDaoDatabase.h"
#include "platform/dao/CDaoException.h"

#include "platform/utilities/QtrUtilities.h"
#include "recordset/CDaoSqlSession.h"
#include "recordset/CQTRDaoRecordset.h"
#include "recordset/schema/QtrIdAllocator.h"

#include <QCryptographicHash>
#include <QDir>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QFile>
#include <QProcess>

CCdImageBuilder::CCdImageBuilder(Request request) : m_request(std::move(request)) {}

QString CCdImageBuilder::ImageName(qint32 customerId, const QString& userId)
{
    return customerId == 0 ? QStringLiteral("Anonimo.0") : QStringLiteral("%1.%2").arg(userId).arg(customerId);
}

QString CCdImageBuilder::ImageFolder(const QString& projectFolder, qint32 customerId, const QString& userId)
{
    return projectFolder + QStringLiteral("cdromimages/") + ImageName(customerId, userId);
}

QString CCdImageBuilder::ImageFolder() const
{
    return ImageFolder(m_request.projectFolder, m_request.customerId, m_request.customerUserId);
}

QString CCdImageBuilder::IsoPath() const
{
    return ImageFolder() + QStringLiteral(".iso");
}

CCdImageBuilder::Result CCdImageBuilder::Fail(const QString& error)
{
    m_strError = error;
    return Failed;
}

CCdImageBuilder::Result CCdImageBuilder::Run(ICatalogueProgress& progress)
{
    const QString image = ImageFolder();
    const QString scratch = image + QStringLiteral(".nuova");
    QDir().mkpath(m_request.projectFolder + QStringLiteral("cdromimages"));
    CCdFolderCopy files(progress, m_bStop);
    files.DeleteFolder(scratch);
    Result result = Done;
    try {
        if (!CopySite(scratch, progress) || !PrepareDatabase(scratch, progress))
            result = m_bStop.load() ? Cancelled : Failed;
    } catch (const CDaoException& e) {
        m_strError = e.GetErrorMessage();
        result = Failed;
    }
    if (result == Done && (!files.DeleteFolder(image) || !QDir().rename(scratch, image))) {
        m_strError = QStringLiteral("Impossibile sostituire l'immagine %1.").arg(image);
        result = Failed;
    }
    if (result != Done) {
        if (m_strError.isEmpty())
            m_strError = files.Error();
        files.DeleteFolder(scratch);
        return result;
    }
    if (!IssueCredential()) {
        files.DeleteFolder(image);
        return Failed;
    }
    return MakeIso(progress) ? Done : Failed;
}

bool CCdImageBuilder::IssueCredential()
{
    // The offline catalogue's requests carry it; the shop knows only its
    // digest, which reaches the site with the next update.
    const QString credential = QString::fromLatin1(QByteArray::number(QRandomGenerator::system()->generate64(), 16)
                                                   + QByteArray::number(QRandomGenerator::system()->generate64(), 16));
    QSaveFile file(ImageFolder() + QStringLiteral("/credenziale.txt"));
    if (!file.open(QIODevice::WriteOnly)) {
        m_strError = QStringLiteral("Impossibile scrivere %1.").arg(file.fileName());
        return false;
    }
    file.write(QStringLiteral("IDUtente=%1\r\nCredenziale=%2\r\n").arg(m_request.customerId).arg(credential).toUtf8());
    if (!file.commit()) {
        m_strError = QStringLiteral("Impossibile scrivere %1.").arg(file.fileName());
        return false;
    }
    CDaoDatabase project;
    project.Open(m_request.projectFolder + QStringLiteral("db/database.mdb"));
    CDaoSqlSession session(project);
    const qint32 id = QtrIdAllocator::Next(session, QStringLiteral("CredenzialiCD"), QtrIdRange::Desktop);
    project.Execute(QStringLiteral("INSERT INTO CredenzialiCD (ID, IDCliente, Impronta, Modificato, VersioneRecord) "
                                   "VALUES (?, ?, ?, 1, ?)"),
                    {id, m_request.customerId,
                     QString::fromLatin1(QCryptographicHash::hash(credential.toUtf8(), QCryptographicHash::Sha256).toHex()),
                     NextRecordVersion(project)});
    project.Close();
    AlertUpd(m_request.projectFolder);
    return true;
}

bool CCdImageBuilder::CopySite(const QString& scratch, ICatalogueProgress& progress)
{
    CCdFolderCopy files(progress, m_bStop);
    const QString project = m_request.projectFolder;
    const QString install = scratch + QStringLiteral("/install");
    const bool copied =
        files.CopyFolder(m_request.installFolder + QStringLiteral("/cdviewer"), scratch)
        && files.CopyFile(project + QStringLiteral("logoinstall.bmp"), scratch + QStringLiteral("/logoinstall.bmp"))
        && files.CopyFile(project + QStringLiteral("splash.bmp"), install + QStringLiteral("/splash.bmp"))
        && files.CopyFolder(project + QStringLiteral("website/asp"), install + QStringLiteral("/website"))
        // The demo pictures are the installation's, not the shop's.
        && files.CopyFolder(project + QStringLiteral("website/images"), install + QStringLiteral("/website/images"),
                            {QStringLiteral("demo")});
    if (!copied && m_strError.isEmpty())
        m_strError = files.Error();
    // The marker of a pending site update means nothing on a CD.
    QFile::remove(install + QStringLiteral("/upd.qtr"));
    return copied;
}

bool CCdImageBuilder::PrepareDatabase(const QString& scratch, ICatalogueProgress& progress)
{
    // Only the shop database goes on the CD: the design database, working
    // copies, backups and locks of the project's db folder stay home.
    const QString folder = scratch + QStringLiteral("/install/website/db");
    QDir().mkpath(folder);
    const QString copy = folder + QStringLiteral("/database.mdb");
    {
        CDaoDatabase project;
        project.Open(m_request.projectFolder + QStringLiteral("db/database.mdb"));
        project.CopyTo(copy);
        project.Close();
    }
    CDaoDatabase database;
    database.Open(copy);
    // The texts come from the whole dictionary, before the pruning.
    CCdMessagesFile::Write(scratch + QStringLiteral("/mess.txt"), database, m_request.defaultLanguage);
    CCdDatabasePruner pruner(database, scratch + QStringLiteral("/install/"), m_request.customerId,
                             m_request.orderIds, progress, m_bStop);
    const bool pruned = pruner.Run();
    database.Close();
    // Nothing but the database file itself: no journal beside it.
    for (const QString& leftover : QDir(folder).entryList(QDir::Files))
        if (leftover != QStringLiteral("database.mdb"))
            QFile::remove(folder + QLatin1Char('/') + leftover);
    return pruned;
}

bool CCdImageBuilder::MakeIso(ICatalogueProgress& progress)
{
    progress.SetLabel(QStringLiteral("Creazione del file ISO in corso..."));
    progress.SetTotal(0);
    const QString iso = IsoPath();
    const QString scratch = iso + QStringLiteral(".nuovo");
    QFile::remove(scratch);
    QProcess tool;
    tool.setProcessChannelMode(QProcess::MergedChannels);
    // ISO 9660 with Joliet and Rock Ridge names, so every system reads the
    // long names; the volume label is the image's name, cut to its limit.
    tool.start(m_request.isoTool, {QStringLiteral("-as"), QStringLiteral("mkisofs"), QStringLiteral("-quiet"),
                                    QStringLiteral("-J"), QStringLiteral("-R"), QStringLiteral("-V"),
                                    ImageName(m_request.customerId, m_request.customerUserId).left(32),
                                    QStringLiteral("-o"), scratch, ImageFolder()});
    const bool started = tool.waitForStarted(-1);
    if (!started || !tool.waitForFinished(-1) || tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0) {
        QFile::remove(scratch);
        const QString detail = started ? QString::fromLocal8Bit(tool.readAll()).trimmed() : tool.errorString();
        Fail(QStringLiteral("L'immagine è pronta nella cartella %1, ma il file ISO non è stato creato (%2): %3")
                 .arg(ImageFolder(), m_request.isoTool, detail));
        return false;
    }
    QFile::remove(iso);
    if (QFile::rename(scratch, iso))
        return true;
    Fail(QStringLiteral("Impossibile creare %1.").arg(iso));
    return false;
}
