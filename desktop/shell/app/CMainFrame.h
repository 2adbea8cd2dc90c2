#pragma once

#include "desktop/shell/app/CLanguageList.h"

#include <QHash>
#include <QMainWindow>
#include <QStyle>

class CTindaApp;
class ITindaView;
class QAction;
class QComboBox;
class QMdiArea;
class QMenu;
class QToolBar;
struct CCommandInfo;

// The program's main window: menus and tool bar made from the command
// table, the MDI area of the editors, the editing-language selector, and
// the close that saves every editor first and asks about the site update.
class CMainFrame : public QMainWindow
{
    Q_OBJECT
public:
    explicit CMainFrame(CTindaApp& app, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // The language selector.
    bool LoadLanguages();
    void ResetLanguages();
    QString GetCurrentLanguage() const;
    QString GetDefaultLanguage() const;
    bool IsDefaultLanguageSelected() const;
    void SelectDefaultLanguage();
    // What choosing item index of the selector does.
    void SelectLanguage(int index);
    void OnLanguageChanged();

    // The template editor's tool bar in place of the main one, and back.
    void ShowMainToolBar();
    void ShowTemplateToolBar();
    void DisableMoveButtons();

    // Runs a command as its menu item would; false when it is unknown or
    // not enabled now.
    bool RunCommand(int id);
    // Runs a command whatever its rule says (as its handler would when
    // called directly); nothing happens when nothing registered it.
    void ExecuteCommand(int id);
    // Judges every command's rule again. Views call it when something they
    // handle (record buttons) changes.
    void UpdateCommands();
    // Makes the menus again from the command table (after registrations).
    void RebuildMenus();
    // Opens an editor view in its frame (the command table's view commands).
    void OpenView(const CCommandInfo& info);

    // Size, place and tool bars, kept in the settings from one run to the
    // next; false when none were kept.
    void SaveWindowState();
    bool RestoreWindowState();

    // Runs the close of every open editor; false when one stays open.
    bool CloseEditors();
    // The window has been closed: the program is ending.
    bool IsClosed() const { return m_bClosed; }

    ITindaView* GetActiveView() const;
    QAction* GetAction(int id) const;
    QMdiArea* GetMdiArea() const { return m_pMdiArea; }
    QComboBox* GetLanguageCombo() const { return m_wndLanguageCombo; }
    QToolBar* GetToolBar() const { return m_wndToolBar; }
    QToolBar* GetTemplateToolBar() const { return m_wndTemplateToolBar; }
    const CLanguageList& GetLanguageList() const { return m_languages; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateToolBars();
    void CreateStatusBar();
    QAction* ActionFor(int id);
    void AddToolButton(QToolBar* bar, int id, QStyle::StandardPixmap icon, const QString& tip);
    void HideLoneSeparators(QToolBar* bar);
    QMenu* PopupFor(const QString& path);
    void AddMenuItem(int id, const QString& popup, const QString& caption);
    void FillLanguageCombo();

    CTindaApp& m_app;
    CLanguageList m_languages;
    QMdiArea* m_pMdiArea = nullptr;
    QToolBar* m_wndToolBar = nullptr;
    QToolBar* m_wndTemplateToolBar = nullptr;
    QComboBox* m_wndLanguageCombo = nullptr;
    QHash<int, QAction*> m_actions;
    QHash<QString, QMenu*> m_popups;
    QHash<QString, bool> m_pendingSeparator;
    bool m_bMoveButtonsDisabled = false;
    bool m_bClosed = false;
};
