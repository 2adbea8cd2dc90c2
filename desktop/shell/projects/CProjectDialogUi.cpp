#include "desktop/shell/projects/CProjectDialogUi.h"

#include "desktop/shell/projects/CAggiornamentoProgettoDlg.h"
#include "desktop/shell/projects/CNuovoProgettoDlg.h"
#include "desktop/shell/projects/CProgettiDlg.h"
#include "desktop/shell/projects/CSincronizzazioneDlg.h"

bool CProjectDialogUi::WaitForSyncLock(const QString& lockPath)
{
    CSincronizzazioneDlg dialog(lockPath, DialogParent());
    return dialog.DoModal() == QDialog::Accepted;
}

CProjectUpgrade::Result CProjectDialogUi::RunUpgrade(CProjectUpgrade& upgrade)
{
    CAggiornamentoProgettoDlg dialog(DialogParent());
    return dialog.RunTask(upgrade);
}

bool CProjectDialogUi::ChooseProject(const QStringList& recentNewestFirst, bool* createNew, QString* folder)
{
    CProgettiDlg dialog(recentNewestFirst, DialogParent());
    if (dialog.DoModal() != QDialog::Accepted)
        return false;
    *createNew = dialog.m_nChoice == 0;
    *folder = dialog.m_strFolder;
    return true;
}

bool CProjectDialogUi::AskNewProject(const QString& baseFolder, QString* folder)
{
    CNuovoProgettoDlg dialog(DialogParent());
    dialog.m_strFolder = baseFolder;
    if (dialog.DoModal() != QDialog::Accepted)
        return false;
    *folder = dialog.m_strFolder;
    return true;
}
