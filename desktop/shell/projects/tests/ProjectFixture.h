#pragma once

#include "desktop/shell/controls/CMessageBoxScript.h"
#include "desktop/shell/projects/IProjectUi.h"
#include "platform/testing/TempFolder.h"

#include <QSettings>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class CDaoDatabase;

// The windows' side of the project rules, answered by the test and
// recording what was asked.
class FakeProjectUi : public IProjectUi
{
public:
    QWidget* DialogParent() override { return nullptr; }
    bool WaitForSyncLock(const QString& lockPath) override;
    CProjectUpgrade::Result RunUpgrade(CProjectUpgrade& upgrade) override;
    bool ChooseProject(const QStringList& recentNewestFirst, bool* createNew, QString* folder) override;
    bool AskNewProject(const QString& baseFolder, QString* folder) override;
    void SetTitle(const QString& title) override { m_strTitle = title; }
    bool LoadLanguages() override { ++m_nLanguageLoads; return m_bLanguagesActive; }
    void ResetLanguages() override { ++m_nLanguageResets; }
    void OpenLanguagesView() override { ++m_nLanguageViews; }
    bool RunExternalImport(const QString& projectFolder) override
    {
        m_imports << projectFolder;
        return true;
    }
    bool CanRunExternalImport() const override { return m_bCanImport; }

    // Answers.
    std::function<bool(const QString&)> m_waitForLock = [](const QString&) { return true; };
    bool m_bChooseOk = true;
    bool m_bChooseNew = false;
    QString m_strChosenFolder;
    bool m_bNewOk = true;
    QString m_strNewFolder;
    bool m_bLanguagesActive = true;
    bool m_bCanImport = true;
    bool m_bCancelUpgrade = false;

    // Record.
    QString m_strTitle;
    QStringList m_locksWaited;
    QStringList m_recentShown;
    QStringList m_newBaseFolders;
    QStringList m_imports;
    int m_nUpgrades = 0;
    int m_nLanguageLoads = 0;
    int m_nLanguageResets = 0;
    int m_nLanguageViews = 0;
};

// A throwaway installation (the built reference databases and a small
// template/system folder), a place for projects and a settings file.
class ProjectFixture
{
public:
    ProjectFixture();

    QString InstallFolder() const { return m_install.Path(); }
    QString ProjectsFolder() const { return m_projects.Path(); }
    QString ProjectPath(const QString& name) const { return m_projects.FilePath(name); }
    QSettings& Settings() { return *m_settings; }

    // A project made from the installation, without the dialogs.
    QString MakeProject(const QString& name) const;

    // Runs sql on the database file at path.
    static void Exec(const QString& path, const QStringList& sql);
    // The first column of the first row of sql, or an invalid variant.
    static QVariant Scalar(const QString& path, const QString& sql, const QVariantList& params = {});

    TempFolder m_install;
    TempFolder m_projects;
    TempFolder m_settingsFolder;
    std::unique_ptr<QSettings> m_settings;
};
