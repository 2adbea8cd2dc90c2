#pragma once

#include "desktop/shell/projects/CProjectUpgrade.h"

#include <QString>
#include <QStringList>

class QWidget;

// What the project rules need of the windows: the dialogs they run, the
// main frame's title and language selector, the editors they open. The
// rules call only this, so tests answer it; CProjectDialogUi gives the
// real dialogs and leaves the main-frame parts to CTindaApp.
//
// Message boxes are not here: they go through CMessageBox, which tests
// answer with CMessageBoxScript.
class IProjectUi
{
public:
    virtual ~IProjectUi() = default;

    // Parent of the message boxes and dialogs; may be null.
    virtual QWidget* DialogParent() = 0;

    // "Sincronizzazione in corso...": true once the lock is gone, false
    // when the user chose "Chiudi Quintaro".
    virtual bool WaitForSyncLock(const QString& lockPath) = 0;
    // "Aggiornamento progetto": runs the upgrade with its progress shown.
    virtual CProjectUpgrade::Result RunUpgrade(CProjectUpgrade& upgrade) = 0;
    // "Progetti": recent folders newest first. False on Annulla; otherwise
    // createNew tells the choice and folder the project to open (may be
    // empty when the folder chooser was cancelled).
    virtual bool ChooseProject(const QStringList& recentNewestFirst, bool* createNew,
                               QString* folder) = 0;
    // "Nuovo progetto" offering baseFolder; on OK folder is the new
    // project's folder, already created.
    virtual bool AskNewProject(const QString& baseFolder, QString* folder) = 0;

    // The main frame.
    virtual void SetTitle(const QString& title) = 0;
    virtual bool LoadLanguages() = 0;
    virtual void ResetLanguages() = 0;
    // Command 32790, the languages view.
    virtual void OpenLanguagesView() = 0;
    // The automatic import of outside data into the project (its folder
    // ends with "/"). False when the main window was closed meanwhile: the
    // opening stops and the program ends.
    virtual bool RunExternalImport(const QString& projectFolder) = 0;
    // False while the program has no importer: the merchant is then not
    // offered an import that would do nothing.
    virtual bool CanRunExternalImport() const { return true; }
};
