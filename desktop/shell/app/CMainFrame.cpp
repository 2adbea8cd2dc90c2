#include "desktop/shell/app/CMainFrame.h"

#include <QKeySequence>

#include "desktop/shell/app/CChildFrame.h"
#include "desktop/shell/app/CCommandTable.h"
#include "desktop/shell/app/CSplashWnd.h"
#include "desktop/shell/app/CTindaApp.h"
#include "desktop/shell/app/CTindaMenu.h"
#include "desktop/shell/app/ITindaView.h"
#include "desktop/shell/app/TindaCommandIds.h"
#include "desktop/shell/controls/CJobRunner.h"
#include "desktop/shell/controls/CMessageBox.h"
#include "platform/dao/CDaoException.h"
#include "platform/utilities/QtrUtilities.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

namespace {
constexpr int kLanguageComboWidth = 100;
}

CMainFrame::CMainFrame(CTindaApp& app, QWidget* parent) : QMainWindow(parent), m_app(app)
{
    setWindowTitle(QStringLiteral("Quintaro"));
    m_pMdiArea = new QMdiArea(this);
    // Editors have one fixed size, larger than most screens: scroll to them.
    m_pMdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_pMdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_pMdiArea);
    CreateToolBars();
    CreateStatusBar();
    RebuildMenus();
    connect(m_pMdiArea, &QMdiArea::subWindowActivated, this, [this] { UpdateCommands(); });
    connect(&m_app, &CTindaApp::StateChanged, this, [this] { UpdateCommands(); });
    UpdateCommands();
    CSplashWnd::Show(this);
}

CMainFrame::~CMainFrame()
{
    // The MDI area reports activations while its windows are torn down,
    // after the actions are gone.
    disconnect(m_pMdiArea, nullptr, this, nullptr);
    disconnect(&m_app, nullptr, this, nullptr);
}

// ---- menus and tool bars ---------------------------------------------------

QAction* CMainFrame::ActionFor(int id)
{
    if (QAction* action = m_actions.value(id))
        return action;
    auto* action = new QAction(this);
    action->setData(id);
    connect(action, &QAction::triggered, this, [this, id] { ExecuteCommand(id); });
    // The keys a desktop user tries first: Ctrl+Q quits, F1 opens the help.
    if (id == ID_APP_EXIT)
        action->setShortcut(QKeySequence::Quit);
    else if (id == ID_HELP_INDEX)
        action->setShortcut(QKeySequence::HelpContents);
    addAction(action);
    m_actions.insert(id, action);
    return action;
}

QAction* CMainFrame::GetAction(int id) const
{
    return m_actions.value(id);
}

void CMainFrame::AddToolButton(QToolBar* bar, int id, QStyle::StandardPixmap icon, const QString& tip)
{
    QAction* action = ActionFor(id);
    action->setIcon(style()->standardIcon(icon));
    action->setToolTip(tip);
    action->setStatusTip(tip);
    bar->addAction(action);
}

void CMainFrame::CreateToolBars()
{
    m_wndToolBar = addToolBar(QStringLiteral("Standard"));
    m_wndToolBar->setObjectName(QStringLiteral("mainToolBar"));
    AddToolButton(m_wndToolBar, ID_FILE_NEW, QStyle::SP_FileIcon, QStringLiteral("Nuovo progetto"));
    AddToolButton(m_wndToolBar, ID_FILE_OPEN, QStyle::SP_DirOpenIcon, QStringLiteral("Apri progetto"));
    AddToolButton(m_wndToolBar, ID_ANTEPRIMA, QStyle::SP_ComputerIcon, QStringLiteral("Anteprima"));
    m_wndToolBar->addSeparator();
    m_wndLanguageCombo = new QComboBox(m_wndToolBar);
    m_wndLanguageCombo->setObjectName(QStringLiteral("languageCombo"));
    m_wndLanguageCombo->setFixedWidth(kLanguageComboWidth);
    m_wndLanguageCombo->setMaxVisibleItems(8);
    m_wndLanguageCombo->setToolTip(QStringLiteral("Lingua di modifica"));
    connect(m_wndLanguageCombo, &QComboBox::activated, this, [this](int index) { SelectLanguage(index); });
    m_wndToolBar->addWidget(m_wndLanguageCombo);
    m_wndToolBar->addSeparator();
    AddToolButton(m_wndToolBar, ID_RECORD_INSERT, QStyle::SP_FileDialogNewFolder, QStringLiteral("Inserisci"));
    AddToolButton(m_wndToolBar, ID_RECORD_SAVE, QStyle::SP_DialogSaveButton, QStringLiteral("Salva"));
    AddToolButton(m_wndToolBar, ID_RECORD_DELETE, QStyle::SP_TrashIcon, QStringLiteral("Elimina"));
    m_wndToolBar->addSeparator();
    AddToolButton(m_wndToolBar, ID_RECORD_UNDO, QStyle::SP_DialogResetButton, QStringLiteral("Annulla modifiche"));
    m_wndToolBar->addSeparator();
    AddToolButton(m_wndToolBar, ID_RECORD_FIRST, QStyle::SP_MediaSkipBackward, QStringLiteral("Primo"));
    AddToolButton(m_wndToolBar, ID_RECORD_PREV, QStyle::SP_MediaSeekBackward, QStringLiteral("Precedente"));
    AddToolButton(m_wndToolBar, ID_RECORD_NEXT, QStyle::SP_MediaSeekForward, QStringLiteral("Successivo"));
    AddToolButton(m_wndToolBar, ID_RECORD_LAST, QStyle::SP_MediaSkipForward, QStringLiteral("Ultimo"));
    m_wndToolBar->addSeparator();
    AddToolButton(m_wndToolBar, ID_RECORD_FILTER, QStyle::SP_FileDialogContentsView,
                  QStringLiteral("Imposta o annulla filtro di visualizzazione"));
    ActionFor(ID_RECORD_FILTER)->setCheckable(true);
    m_wndToolBar->addSeparator();
    AddToolButton(m_wndToolBar, ID_AGGIORNAMENTO_ORDINI, QStyle::SP_ArrowDown, QStringLiteral("Aggiornamento ordini"));
    m_wndToolBar->addSeparator();
    AddToolButton(m_wndToolBar, ID_EMETTI_FATTURA, QStyle::SP_FileDialogDetailedView, QStringLiteral("Emetti fattura"));
    AddToolButton(m_wndToolBar, ID_CANCELLA_FATTURA, QStyle::SP_DialogCancelButton, QStringLiteral("Cancella fattura"));
    m_wndToolBar->addSeparator();
    AddToolButton(m_wndToolBar, ID_FILE_PRINT, QStyle::SP_FileDialogInfoView, QStringLiteral("Stampa"));

    m_wndTemplateToolBar = addToolBar(QStringLiteral("Modello grafico"));
    m_wndTemplateToolBar->setObjectName(QStringLiteral("templateToolBar"));
    QToolBar* bar = m_wndTemplateToolBar;
    AddToolButton(bar, ID_NUOVO_PROGETTO_GRAFICO, QStyle::SP_FileIcon, QStringLiteral("Nuovo progetto grafico"));
    AddToolButton(bar, ID_IMPORTA_PROGETTO_GRAFICO, QStyle::SP_DialogOpenButton,
                  QStringLiteral("Importa progetto grafico"));
    AddToolButton(bar, ID_ESPORTA_PROGETTO_GRAFICO, QStyle::SP_DialogSaveButton,
                  QStringLiteral("Esporta progetto grafico"));
    AddToolButton(bar, ID_ESPORTA_ANTEPRIMA, QStyle::SP_DriveFDIcon, QStringLiteral("Esporta anterpima"));
    bar->addSeparator();
    AddToolButton(bar, ID_STILI_BLOCCO, QStyle::SP_FileDialogDetailedView, QStringLiteral("Modifica stili"));
    AddToolButton(bar, ID_PARAMETRI_BLOCCO, QStyle::SP_FileDialogInfoView, QStringLiteral("Modifica parametri"));
    AddToolButton(bar, ID_COLORI, QStyle::SP_DesktopIcon, QStringLiteral("Modifica colori"));
    bar->addSeparator();
    AddToolButton(bar, ID_DUPLICA_BLOCCO, QStyle::SP_FileDialogNewFolder, QStringLiteral("Duplica blocco corrente"));
    AddToolButton(bar, ID_ELIMINA_BLOCCO, QStyle::SP_TrashIcon, QStringLiteral("Elimina blocco corrente"));
    bar->addSeparator();
    AddToolButton(bar, ID_COPIA_BLOCCO, QStyle::SP_FileLinkIcon, QStringLiteral("Copia blocco corrente"));
    AddToolButton(bar, ID_TAGLIA_BLOCCO, QStyle::SP_DialogDiscardButton, QStringLiteral("Sposta blocco corrente"));
    AddToolButton(bar, ID_INCOLLA_BLOCCO, QStyle::SP_DialogApplyButton, QStringLiteral("Incolla blocco selezionato."));
    AddToolButton(bar, ID_INCOLLA_RIFERIMENTO, QStyle::SP_CommandLink,
                  QStringLiteral("Incolla riferimento sotto il blocco corrente"));
    bar->addSeparator();
    AddToolButton(bar, ID_SPOSTA_SU, QStyle::SP_ArrowUp, QStringLiteral("Sposta in alto blocco corrente"));
    AddToolButton(bar, ID_SPOSTA_GIU, QStyle::SP_ArrowDown, QStringLiteral("Sposta in basso blocco corrente"));
    bar->addSeparator();
    AddToolButton(bar, ID_INSERISCI_BLOCCO, QStyle::SP_FileDialogStart, QStringLiteral("Inserisci nuovo blocco"));
    AddToolButton(bar, ID_INSERISCI_BLOCCO_CONDIZIONATO, QStyle::SP_MessageBoxQuestion,
                  QStringLiteral("Inserisci nuovo blocco condizionato"));
    AddToolButton(bar, ID_INSERISCI_TABELLA, QStyle::SP_FileDialogListView, QStringLiteral("Inserisci nuova tabella"));
    AddToolButton(bar, ID_INSERISCI_COLONNA, QStyle::SP_ToolBarVerticalExtensionButton,
                  QStringLiteral("Inserisci nuova colonna"));
    AddToolButton(bar, ID_INSERISCI_FUNZIONALITA, QStyle::SP_ComputerIcon,
                  QStringLiteral("Inserisci nuova funzionalità"));
    m_wndTemplateToolBar->hide();
}

void CMainFrame::CreateStatusBar()
{
    statusBar()->showMessage(QStringLiteral("Pronto"));
}

QMenu* CMainFrame::PopupFor(const QString& path)
{
    if (QMenu* menu = m_popups.value(path))
        return menu;
    const int cut = path.lastIndexOf(QLatin1Char('/'));
    QMenu* menu = nullptr;
    if (cut < 0) {
        menu = new QMenu(path, this);
    } else {
        const QString parentPath = path.left(cut);
        QMenu* parent = PopupFor(parentPath);
        if (m_pendingSeparator.value(parentPath) && !parent->isEmpty())
            parent->addSeparator();
        m_pendingSeparator[parentPath] = false;
        menu = parent->addMenu(path.mid(cut + 1));
    }
    connect(menu, &QMenu::aboutToShow, this, [this] { UpdateCommands(); });
    m_popups.insert(path, menu);
    return menu;
}

void CMainFrame::AddMenuItem(int id, const QString& popup, const QString& caption)
{
    QMenu* menu = PopupFor(popup);
    if (m_pendingSeparator.value(popup) && !menu->isEmpty())
        menu->addSeparator();
    m_pendingSeparator[popup] = false;
    QAction* action = ActionFor(id);
    QString text = caption;
    const int tab = text.indexOf(QLatin1Char('\t'));
    if (tab >= 0) {
        action->setShortcut(QKeySequence(text.mid(tab + 1)));
        text.truncate(tab);
    }
    action->setText(text);
    menu->addAction(action);
}

void CMainFrame::RebuildMenus()
{
    menuBar()->clear();
    // Sub-menus belong to their parent menus; deleting the top ones frees all.
    for (auto it = m_popups.constBegin(); it != m_popups.constEnd(); ++it)
        if (!it.key().contains(QLatin1Char('/')))
            delete it.value();
    m_popups.clear();
    m_pendingSeparator.clear();

    const CCommandTable& table = CCommandTable::Instance();
    QSet<int> placed;
    for (const CTindaMenu::Item& item : CTindaMenu::Items()) {
        if (item.nId == 0) {
            m_pendingSeparator[item.strPopup] = true;
            continue;
        }
        const CCommandInfo* info = table.Find(item.nId);
        if (!info || info->strPopup != item.strPopup)
            continue;
        AddMenuItem(item.nId, item.strPopup, info->strCaption);
        placed.insert(item.nId);
    }
    // Commands whose place the layout does not know go at the end of theirs.
    for (int id : table.Ids()) {
        const CCommandInfo* info = table.Find(id);
        if (!placed.contains(id) && !info->strPopup.isEmpty())
            AddMenuItem(id, info->strPopup, info->strCaption);
    }
    for (int id : table.Ids()) {
        QAction* action = ActionFor(id);
        const CCommandInfo* info = table.Find(id);
        if (!info->strPrompt.isEmpty())
            action->setStatusTip(info->strPrompt);
        if (action->text().isEmpty())
            action->setText(info->strCaption.isEmpty() ? info->strTitle : info->strCaption);
        // Commands with neither menu item nor button stay reachable by
        // their shortcut, if any.
        addAction(action);
    }
    QStringList tops = CTindaMenu::Popups();
    for (auto it = m_popups.constBegin(); it != m_popups.constEnd(); ++it)
        if (!it.key().contains(QLatin1Char('/')) && !tops.contains(it.key()))
            tops.append(it.key());
    for (const QString& top : tops)
        if (QMenu* menu = m_popups.value(top))
            menuBar()->addMenu(menu);
    UpdateCommands();
}

void CMainFrame::UpdateCommands()
{
    const CCommandTable& table = CCommandTable::Instance();
    const CommandState state = m_app.GetCommandState();
    ITindaView* view = GetActiveView();
    for (auto it = m_actions.constBegin(); it != m_actions.constEnd(); ++it) {
        const int id = it.key();
        QAction* action = it.value();
        const CCommandInfo* info = table.Find(id);
        // A button whose command nothing handles is not offered at all.
        action->setVisible(info != nullptr);
        if (!info) {
            action->setEnabled(false);
            continue;
        }
        bool enabled = CCommandTable::RuleAllows(info->rule, state);
        if (info->rule == CommandRule::ActiveView) {
            enabled = view && view->IsViewCommandEnabled(id);
            if (action->isCheckable())
                action->setChecked(view && view->IsViewCommandChecked(id));
        }
        if ((id == ID_SPOSTA_SU || id == ID_SPOSTA_GIU) && m_bMoveButtonsDisabled)
            enabled = false;
        action->setEnabled(enabled);
    }
    HideLoneSeparators(m_wndToolBar);
    HideLoneSeparators(m_wndTemplateToolBar);
    if (QAction* toggle = m_actions.value(ID_VIEW_TOOLBAR)) {
        toggle->setCheckable(true);
        toggle->setChecked(m_wndToolBar->isVisible() || m_wndTemplateToolBar->isVisible());
    }
    if (QAction* toggle = m_actions.value(ID_VIEW_STATUS_BAR)) {
        toggle->setCheckable(true);
        toggle->setChecked(statusBar()->isVisible());
    }
}

void CMainFrame::HideLoneSeparators(QToolBar* bar)
{
    // A group of buttons whose commands are all missing takes its
    // separator with it.
    QAction* pending = nullptr;
    bool anyBefore = false;
    for (QAction* action : bar->actions()) {
        if (action->isSeparator()) {
            action->setVisible(false);
            if (anyBefore)
                pending = action;
            continue;
        }
        if (!action->isVisible())
            continue;
        if (pending)
            pending->setVisible(true);
        pending = nullptr;
        anyBefore = true;
    }
}

bool CMainFrame::RunCommand(int id)
{
    QAction* action = m_actions.value(id);
    UpdateCommands();
    if (!action || !action->isVisible() || !action->isEnabled())
        return false;
    ExecuteCommand(id);
    return true;
}

void CMainFrame::ExecuteCommand(int id)
{
    const CCommandInfo* info = CCommandTable::Instance().Find(id);
    if (!info)
        return;
    try {
        if (info->rule == CommandRule::ActiveView) {
            if (ITindaView* view = GetActiveView())
                view->OnViewCommand(id);
        } else if (info->IsViewCommand()) {
            OpenView(*info);
        } else if (info->run) {
            info->run();
        }
    } catch (const CDaoException& error) {
        CMessageBox::Show(this, error.GetErrorMessage(), QStringLiteral("Quintaro"), CMessageBox::Stop);
    }
    UpdateCommands();
}

void CMainFrame::OpenView(const CCommandInfo& info)
{
    QMdiSubWindow* frame = nullptr;
    if (info.createFrame) {
        frame = info.createFrame();
    } else {
        auto* child = new CChildFrame;
        // The factory sets the frame's mode words before the view is shown.
        QWidget* view = info.createView(*child);
        if (!view) {
            delete child;
            return;
        }
        child->setWidget(view);
        frame = child;
    }
    if (!frame)
        return;
    if (auto* child = qobject_cast<CChildFrame*>(frame)) {
        // An editor is laid out for its frame, which the user cannot
        // resize: it takes the whole MDI area, up to the largest size an
        // editor is designed for.
        const QSize largest(CChildFrame::kInitialWidth, CChildFrame::kInitialHeight);
        QSize area = m_pMdiArea->viewport()->size();
        if (area.isEmpty())
            area = largest;
        child->setFixedSize(area.boundedTo(largest));
    }
    m_pMdiArea->addSubWindow(frame);
    frame->setWindowTitle(info.strTitle);
    if (!info.icon.isNull())
        frame->setWindowIcon(info.icon);
    if (info.bMaximized)
        frame->showMaximized();
    else
        frame->show();
    // Every editor counts until its frame closes (a frame of its own
    // uncounts itself).
    if (auto* child = qobject_cast<CChildFrame*>(frame))
        child->m_bCounted = true;
    m_app.SetViewOpen(true);
}

bool CMainFrame::CloseEditors()
{
    const QList<QMdiSubWindow*> frames = m_pMdiArea->subWindowList();
    for (QMdiSubWindow* frame : frames)
        if (!frame->close())
            return false;
    return true;
}

ITindaView* CMainFrame::GetActiveView() const
{
    QMdiSubWindow* frame = m_pMdiArea->currentSubWindow();
    if (!frame) {
        // Offscreen or inactive windows have no current one; with one editor
        // open at a time the last one is the active one.
        const QList<QMdiSubWindow*> frames = m_pMdiArea->subWindowList(QMdiArea::ActivationHistoryOrder);
        if (!frames.isEmpty())
            frame = frames.last();
    }
    return frame ? dynamic_cast<ITindaView*>(frame->widget()) : nullptr;
}

// ---- tool bars of the template editor ------------------------------------

void CMainFrame::ShowMainToolBar()
{
    m_wndTemplateToolBar->hide();
    m_wndToolBar->show();
    m_bMoveButtonsDisabled = false;
    UpdateCommands();
}

void CMainFrame::ShowTemplateToolBar()
{
    m_wndToolBar->hide();
    m_wndTemplateToolBar->show();
    m_bMoveButtonsDisabled = false;
    UpdateCommands();
}

void CMainFrame::DisableMoveButtons()
{
    m_bMoveButtonsDisabled = true;
    UpdateCommands();
}

// ---- language selector ------------------------------------------------------

bool CMainFrame::LoadLanguages()
{
    if (!m_app.m_db.IsOpen())
        return false;
    const bool loaded = m_languages.LoadLanguages(m_app.m_db);
    FillLanguageCombo();
    return loaded;
}

void CMainFrame::ResetLanguages()
{
    m_languages.ResetLanguages();
    FillLanguageCombo();
}

void CMainFrame::FillLanguageCombo()
{
    const QSignalBlocker block(m_wndLanguageCombo);
    m_wndLanguageCombo->clear();
    for (int i = 0; i < m_languages.GetCount(); ++i)
        m_wndLanguageCombo->addItem(m_languages.GetItem(i).strText, m_languages.GetItem(i).nData);
    m_wndLanguageCombo->setCurrentIndex(m_languages.GetCurSel());
}

QString CMainFrame::GetCurrentLanguage() const
{
    return m_languages.GetCurrentLanguage();
}

QString CMainFrame::GetDefaultLanguage() const
{
    return m_languages.GetDefaultLanguage();
}

bool CMainFrame::IsDefaultLanguageSelected() const
{
    return m_languages.IsDefaultLanguageSelected();
}

void CMainFrame::SelectDefaultLanguage()
{
    m_languages.SelectDefaultLanguage();
    const QSignalBlocker block(m_wndLanguageCombo);
    m_wndLanguageCombo->setCurrentIndex(m_languages.GetCurSel());
}

void CMainFrame::SelectLanguage(int index)
{
    if (ITindaView* view = GetActiveView(); view && index != m_languages.GetCurSel() && !view->CanChangeLanguage()) {
        const QSignalBlocker block(m_wndLanguageCombo);
        m_wndLanguageCombo->setCurrentIndex(m_languages.GetCurSel());
        return;
    }
    m_languages.SetCurSel(index);
    {
        const QSignalBlocker block(m_wndLanguageCombo);
        m_wndLanguageCombo->setCurrentIndex(m_languages.GetCurSel());
    }
    OnLanguageChanged();
}

void CMainFrame::OnLanguageChanged()
{
    if (ITindaView* view = GetActiveView())
        view->RefreshLanguage();
}

// ---- close ------------------------------------------------------------------

void CMainFrame::closeEvent(QCloseEvent* event)
{
    // A long job still running is stopped first, and its worker has ended
    // before anything else is closed; the window waits for it without
    // letting events through.
    if (CJobRunner::AnyRunning())
        CJobRunner::CancelAndWaitAll();
    // Every editor saves (or refuses) first, so no edit is lost on exit and
    // a save made now is counted by the site-update question below.
    if (!CloseEditors()) {
        event->ignore();
        return;
    }
    if (m_app.m_bProjectOpen && IsAlertUpd(m_app.m_strProjectFolder)) {
        const auto reply = CMessageBox::Show(
            this,
            QStringLiteral("E' stato modificato l'archivio dati ed e' pertanto necessario aggiornare il sito.\n\n"
                           "Vuoi farlo ora?"),
            QStringLiteral("Aggiornamento sito"), CMessageBox::Exclamation,
            QMessageBox::Yes | QMessageBox::No);
        if (reply == QMessageBox::Yes) {
            event->ignore();
            return;
        }
    }
    CSplashWnd::Hide();
    SaveWindowState();
    m_bClosed = true;
    event->accept();
}

void CMainFrame::SaveWindowState()
{
    m_app.m_settings.setValue(QStringLiteral("Finestra/Geometria"), saveGeometry());
    m_app.m_settings.setValue(QStringLiteral("Finestra/Stato"), saveState());
}

bool CMainFrame::RestoreWindowState()
{
    const QByteArray geometry = m_app.m_settings.value(QStringLiteral("Finestra/Geometria")).toByteArray();
    if (geometry.isEmpty() || !restoreGeometry(geometry))
        return false;
    restoreState(m_app.m_settings.value(QStringLiteral("Finestra/Stato")).toByteArray());
    return true;
}
