#pragma once

#include "desktop/shell/projects/IProjectUi.h"

// The dialogs of IProjectUi, shown for real: "Sincronizzazione in
// corso...", "Aggiornamento progetto", "Progetti" and "Nuovo progetto".
// CTindaApp derives from it (or from a class of its own) to add the
// main-frame parts: DialogParent, SetTitle, LoadLanguages, ResetLanguages,
// OpenLanguagesView and RunExternalImport.
class CProjectDialogUi : public IProjectUi
{
public:
    bool WaitForSyncLock(const QString& lockPath) override;
    CProjectUpgrade::Result RunUpgrade(CProjectUpgrade& upgrade) override;
    bool ChooseProject(const QStringList& recentNewestFirst, bool* createNew,
                       QString* folder) override;
    bool AskNewProject(const QString& baseFolder, QString* folder) override;
};
