#pragma once

#include <QString>

class CDaoDatabase;
class IProjectUi;

// The steps of opening a project, in order: wait for the synchronisation
// lock, put back a backup a crashed preview left, offer the upgrade, set
// the title, give the folder its trailing "/", offer the outside data,
// open the database, load the languages.
//
// CTindaApp::OpenProject is (CProjectSession does it for it)
//   CProjectOpener opener(m_db, ui, m_strInstallFolder);
//   bool ok = opener.OpenProject(m_strProjectFolder);
//   if (!opener.StartOk()) m_bStartOk = false;   // "Chiudi Quintaro"
// Every failure is reported to the user here (CMessageBox) and leaves the
// database closed; a refused or failed upgrade leaves the title as it was.
class CProjectOpener
{
public:
    CProjectOpener(CDaoDatabase& database, IProjectUi& ui, const QString& installFolder);

    // projectFolder gets its trailing "/" once the checks before the title
    // have passed. True when m_db is open on the project's database.
    bool OpenProject(QString& projectFolder);
    // False once the user ended the lock wait with "Chiudi Quintaro", or
    // closed the main window during the automatic import.
    bool StartOk() const { return m_bStartOk; }

    // The question and the upgrade run; true when the project was upgraded.
    bool AskUpgradeProject(const QString& projectFolder);
    // Offers the automatic import when path.ini names a folder holding
    // g*.* files; false when the program was closed during the import.
    bool CheckExternalData(const QString& projectFolder);
    // That folder, or empty when there is nothing to offer.
    static QString ExternalDataFolder(const QString& projectFolder);
    // What the merchant reads when the project's database cannot be read.
    static QString DamagedMessage(const QString& projectFolder, const QString& detail);
    // True when the project's database opens and holds the shop's tables.
    static bool IsReadable(const QString& projectFolder);

private:
    bool UpgradeIfNeeded(const QString& projectFolder);
    bool OpenDatabase(const QString& projectFolder);
    void ReportError(const QString& text);

    CDaoDatabase& m_database;
    IProjectUi& m_ui;
    QString m_strInstallFolder;
    bool m_bStartOk = true;
};
