#include "ProjectFixture.h"

#include "desktop/shell/projects/CProjectFolder.h"
#include "desktop/shell/projects/IUpgradeProgress.h"
#include "platform/dao/CDaoDatabase.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>

#include <stdexcept>

namespace {

// Records nothing; cancels when asked to at the first chance.
class ScriptedProgress : public IUpgradeProgress
{
public:
    explicit ScriptedProgress(bool cancel) : m_bCancel(cancel) {}
    void SetTableLabel(const QString&) override {}
    void SetTableRange(int, int) override {}
    void SetTablePos(int) override {}
    void SetRecordLabel(const QString&) override {}
    void SetRecordRange(int, int) override {}
    void SetRecordPos(int) override {}
    bool IsCancelled() override { return m_bCancel; }

private:
    bool m_bCancel;
};

} // namespace

bool FakeProjectUi::WaitForSyncLock(const QString& lockPath)
{
    m_locksWaited << lockPath;
    return m_waitForLock(lockPath);
}

CProjectUpgrade::Result FakeProjectUi::RunUpgrade(CProjectUpgrade& upgrade)
{
    ++m_nUpgrades;
    ScriptedProgress progress(m_bCancelUpgrade);
    return upgrade.Run(progress);
}

bool FakeProjectUi::ChooseProject(const QStringList& recentNewestFirst, bool* createNew, QString* folder)
{
    m_recentShown = recentNewestFirst;
    *createNew = m_bChooseNew;
    *folder = m_strChosenFolder;
    return m_bChooseOk;
}

bool FakeProjectUi::AskNewProject(const QString& baseFolder, QString* folder)
{
    m_newBaseFolders << baseFolder;
    if (!m_bNewOk)
        return false;
    QDir().mkdir(m_strNewFolder);
    *folder = m_strNewFolder;
    return true;
}

ProjectFixture::ProjectFixture()
{
    for (const char* name : {"database.mdb", "progettografico.mdb"}) {
        const QString target = m_install.FilePath(QStringLiteral("db/") + QLatin1String(name));
        QDir().mkpath(QFileInfo(target).absolutePath());
        if (!QFile::copy(QStringLiteral(QTR_REFDB_DIR "/") + QLatin1String(name), target))
            throw std::runtime_error("reference database missing");
    }
    m_install.WriteFile(QStringLiteral("template/system/default.asp"), "<% Response.Write(1) %>");
    m_install.WriteFile(QStringLiteral("template/system/global.asa"), "// global");
    m_install.WriteFile(QStringLiteral("template/system/sub/ignored.asp"), "not copied");
    m_install.WriteFile(QStringLiteral("template/images/modello.css"), "body { }");
    m_settings = std::make_unique<QSettings>(m_settingsFolder.FilePath(QStringLiteral("settings.ini")),
                                             QSettings::IniFormat);
}

QString ProjectFixture::MakeProject(const QString& name) const
{
    const QString folder = ProjectPath(name);
    QString error;
    if (!CProjectFolder::Create(folder, InstallFolder(), &error))
        throw std::runtime_error(error.toStdString());
    return folder;
}

void ProjectFixture::Exec(const QString& path, const QStringList& sql)
{
    CDaoDatabase database;
    database.Open(path);
    for (const QString& statement : sql)
        database.Execute(statement);
}

QVariant ProjectFixture::Scalar(const QString& path, const QString& sql, const QVariantList& params)
{
    CDaoDatabase database;
    database.Open(path);
    QSqlQuery query(database.Connection());
    query.prepare(sql);
    for (int i = 0; i < params.size(); ++i)
        query.bindValue(i, params.at(i));
    if (!query.exec() || !query.next())
        return QVariant();
    return query.value(0);
}
