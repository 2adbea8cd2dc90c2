#pragma once

#include "desktop/shell/projects/CProjectDialogUi.h"

class CTindaApp;

// The project rules' view of the program: the real project dialogs, and
// the main frame's title, language selector and languages editor.
class CTindaProjectUi : public CProjectDialogUi
{
public:
    explicit CTindaProjectUi(CTindaApp& app);

    QWidget* DialogParent() override;
    void SetTitle(const QString& title) override;
    bool LoadLanguages() override;
    void ResetLanguages() override;
    void OpenLanguagesView() override;
    bool RunExternalImport(const QString& projectFolder) override;
    bool CanRunExternalImport() const override;

protected:
    CTindaApp& m_app;
};
