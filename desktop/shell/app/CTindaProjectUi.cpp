#include "desktop/shell/app/CTindaProjectUi.h"

#include "desktop/shell/app/CMainFrame.h"
#include "desktop/shell/app/CTindaApp.h"
#include "desktop/shell/app/TindaCommandIds.h"

CTindaProjectUi::CTindaProjectUi(CTindaApp& app) : m_app(app) {}

QWidget* CTindaProjectUi::DialogParent()
{
    return m_app.GetMainFrame();
}

void CTindaProjectUi::SetTitle(const QString& title)
{
    if (CMainFrame* frame = m_app.GetMainFrame())
        frame->setWindowTitle(title);
}

bool CTindaProjectUi::LoadLanguages()
{
    CMainFrame* frame = m_app.GetMainFrame();
    return frame && frame->LoadLanguages();
}

void CTindaProjectUi::ResetLanguages()
{
    if (CMainFrame* frame = m_app.GetMainFrame())
        frame->ResetLanguages();
}

void CTindaProjectUi::OpenLanguagesView()
{
    // Not through the command's rule: the project counts as open only once
    // the opening that asks for this editor has returned.
    if (CMainFrame* frame = m_app.GetMainFrame())
        frame->ExecuteCommand(ID_LINGUE);
}

bool CTindaProjectUi::CanRunExternalImport() const { return static_cast<bool>(m_app.m_runExternalImport); }

bool CTindaProjectUi::RunExternalImport(const QString& projectFolder)
{
    return !m_app.m_runExternalImport || m_app.m_runExternalImport(projectFolder);
}
