#pragma once

#include "desktop/shell/app/ITindaView.h"

#include <QList>
#include <QMdiSubWindow>

#include <functional>

class CBrowserView;
class CConfModelloView;
class CTemplatePanes;
class CTindaApp;
class QMenu;

// "Progettazione modello grafico": the block tree beside the preview of the
// site. While it is open the main window shows the editor's menus and tool
// bar, and the shop database is copied aside so that nothing the previewed
// pages write survives the editor (a copy left by a crash is put back when
// the project is next opened). The whole-project commands live here: new
// graphic project, zip import and export, regeneration of every page.
class CTemplateFrame : public QMdiSubWindow, public ITindaView
{
    Q_OBJECT
public:
    static constexpr const char* kTitle = "Progettazione modello grafico";

    // Nullptr when the block catalogue cannot be opened or the database
    // cannot be copied (the user has been told why). port 0: any free one.
    static CTemplateFrame* Create(CTindaApp& app, quint16 port);
    ~CTemplateFrame() override;

    CConfModelloView* TreeView() const { return m_pTree; }
    CBrowserView* Browser() const { return m_pBrowser; }
    const QList<QMenu*>& Menus() const { return m_menus; }

    // ITindaView: every command of the editor's menu and tool bar.
    bool IsViewCommandEnabled(int id) override;
    void OnViewCommand(int id) override;

    void OnNewProject();
    void OnImportProject();
    void OnExportProject(bool preview);
    void OnRegenerateProject();

    // The file dialogs, replaceable by tests: the archive to import, and
    // where to export (given the proposed name); empty when cancelled.
    std::function<QString()> m_chooseImportFile;
    std::function<QString(const QString& proposed)> m_chooseExportFile;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    CTemplateFrame(CTindaApp& app, CConfModelloView* tree, quint16 port);
    void ShowEditorMenus();
    void ReopenProject(qint32 selectId);
    void ReloadPreview();
    void UpdateCommands();
    void Finish();

    CTindaApp& m_app;
    CTemplatePanes* m_pPanes = nullptr;
    CConfModelloView* m_pTree = nullptr;
    CBrowserView* m_pBrowser = nullptr;
    QList<QMenu*> m_menus;
    bool m_bFinished = false;
};
