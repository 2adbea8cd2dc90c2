#include "desktop/design/CTemplateFrame.h"

#include "desktop/design/CConfModelloCore.h"
#include "desktop/design/CConfModelloView.h"
#include "desktop/design/CGraphicProjectFiles.h"
#include "desktop/design/CTemplatePanes.h"
#include "desktop/publishing/previewwindow/CBrowserView.h"
#include "desktop/shell/app/CMainFrame.h"
#include "desktop/shell/app/CTindaApp.h"
#include "desktop/shell/app/TindaCommandIds.h"
#include "desktop/shell/controls/CMessageBox.h"
#include "platform/dao/CDaoException.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileDialog>
#include <QMenu>
#include <QMenuBar>

namespace {

const QString kZipFilter = QStringLiteral("Files compressi (*.zip)");

QString WithSlash(const QString& folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

// Menu 349: popup, command and text; 0 is a separator.
struct MenuItem
{
    const char* popup;
    int id;
    const char* text;
};

const MenuItem kMenu[] = {
    {"&File", ID_NUOVO_PROGETTO_GRAFICO, "&Nuovo"},
    {"&File", ID_IMPORTA_PROGETTO_GRAFICO, "&Importa"},
    {"&File", ID_ESPORTA_PROGETTO_GRAFICO, "&Esporta"},
    {"&File", ID_ESPORTA_ANTEPRIMA, "Esporta &anteprima"},
    {"&File", 0, nullptr},
    {"&File", ID_RIGENERA_PROGETTO, "&Rigenera intero progetto"},
    {"&Modifica", ID_DUPLICA_BLOCCO, "&Duplica"},
    {"&Modifica", ID_ELIMINA_BLOCCO, "&Elimina"},
    {"&Modifica", 0, nullptr},
    {"&Modifica", ID_STILI_BLOCCO, "S&tili"},
    {"&Modifica", ID_PARAMETRI_BLOCCO, "&Parametri"},
    {"&Modifica", ID_COLORI, "Co&lori"},
    {"&Modifica", 0, nullptr},
    {"&Modifica", ID_COPIA_BLOCCO, "&Copia"},
    {"&Modifica", ID_TAGLIA_BLOCCO, "Sp&osta"},
    {"&Modifica", ID_INCOLLA_BLOCCO, "&Incolla"},
    {"&Modifica", ID_INCOLLA_RIFERIMENTO, "Incolla ri&ferimento"},
    {"&Modifica", 0, nullptr},
    {"&Modifica", ID_SPOSTA_SU, "Sposta &su"},
    {"&Modifica", ID_SPOSTA_GIU, "Sposta &giù"},
    {"&Inserisci", ID_INSERISCI_BLOCCO, "&Blocco"},
    {"&Inserisci", ID_INSERISCI_BLOCCO_CONDIZIONATO, "B&locco condizionato"},
    {"&Inserisci", ID_INSERISCI_TABELLA, "&Tabella"},
    {"&Inserisci", ID_INSERISCI_COLONNA, "&Colonna"},
    {"&Inserisci", ID_INSERISCI_FUNZIONALITA, "&Funzionalità"},
};

} // namespace

CTemplateFrame* CTemplateFrame::Create(CTindaApp& app, quint16 port)
{
    CMainFrame* main = app.GetMainFrame();
    std::unique_ptr<CConfModelloCore> core;
    try {
        core = std::make_unique<CConfModelloCore>(WithSlash(app.m_strInstallFolder), app.m_strProjectFolder);
    } catch (const CDaoException& error) {
        CMessageBox::Show(main, error.GetErrorMessage(), QString::fromLatin1(kTitle), CMessageBox::Stop);
        return nullptr;
    }
    if (!app.BackupDatabase())
        return nullptr;
    auto* tree = new CConfModelloView(std::move(core), app.m_db);
    return new CTemplateFrame(app, tree, port);
}

CTemplateFrame::CTemplateFrame(CTindaApp& app, CConfModelloView* tree, quint16 port)
    : m_app(app), m_pTree(tree)
{
    setAttribute(Qt::WA_DeleteOnClose);
    m_pPanes = new CTemplatePanes(*this);
    m_pBrowser = new CBrowserView;
    m_pPanes->addWidget(m_pTree);
    m_pPanes->addWidget(m_pBrowser);
    m_pPanes->setStretchFactor(0, 0);
    m_pPanes->setStretchFactor(1, 1);
    m_pPanes->setSizes({240, 800});
    setWidget(m_pPanes);
    resize(1024, 768);

    m_pTree->Core().m_reloadPreview = [this] { ReloadPreview(); };
    connect(m_pTree, &CConfModelloView::FlagsChanged, this, [this] { UpdateCommands(); });

    m_chooseImportFile = [this] {
        return QFileDialog::getOpenFileName(this, QString(), QString(), kZipFilter);
    };
    m_chooseExportFile = [this](const QString& proposed) {
        QString path = QFileDialog::getSaveFileName(this, QString(), proposed, kZipFilter, nullptr,
                                                    QFileDialog::DontConfirmOverwrite);
        if (!path.isEmpty() && !path.endsWith(QLatin1String(".zip"), Qt::CaseInsensitive))
            path += QStringLiteral(".zip");
        return path;
    };

    m_pBrowser->SetPort(port);
    m_pBrowser->OnInitialUpdate(m_app.m_strProjectFolder);
    ShowEditorMenus();
    m_pTree->setFocus();
}

CTemplateFrame::~CTemplateFrame()
{
    Finish();
}

void CTemplateFrame::ShowEditorMenus()
{
    CMainFrame* main = m_app.GetMainFrame();
    if (!main)
        return;
    main->ShowTemplateToolBar();
    QMenuBar* bar = main->menuBar();
    bar->clear();
    QMenu* menu = nullptr;
    for (const MenuItem& item : kMenu) {
        const QString popup = QString::fromUtf8(item.popup);
        if (!menu || menu->title() != popup) {
            menu = new QMenu(popup, this);
            m_menus << menu;
            bar->addMenu(menu);
        }
        if (item.id == 0) {
            menu->addSeparator();
            continue;
        }
        if (QAction* action = main->GetAction(item.id)) {
            action->setText(QString::fromUtf8(item.text));
            menu->addAction(action);
        }
    }
    UpdateCommands();
}

void CTemplateFrame::UpdateCommands()
{
    if (CMainFrame* main = m_app.GetMainFrame())
        main->UpdateCommands();
}

void CTemplateFrame::ReloadPreview()
{
    if (m_pBrowser)
        m_pBrowser->reload();
}

// ---- commands ----------------------------------------------------------------

bool CTemplateFrame::IsViewCommandEnabled(int id)
{
    switch (id) {
    case ID_NUOVO_PROGETTO_GRAFICO:
    case ID_IMPORTA_PROGETTO_GRAFICO:
    case ID_RIGENERA_PROGETTO: return true;
    case ID_ESPORTA_PROGETTO_GRAFICO:
    case ID_ESPORTA_ANTEPRIMA: return m_pTree->Core().HasGraphicProject();
    default: return m_pTree->IsCommandEnabled(id);
    }
}

void CTemplateFrame::OnViewCommand(int id)
{
    switch (id) {
    case ID_NUOVO_PROGETTO_GRAFICO: OnNewProject(); break;
    case ID_IMPORTA_PROGETTO_GRAFICO: OnImportProject(); break;
    case ID_ESPORTA_PROGETTO_GRAFICO: OnExportProject(false); break;
    case ID_ESPORTA_ANTEPRIMA: OnExportProject(true); break;
    case ID_RIGENERA_PROGETTO: OnRegenerateProject(); break;
    default: m_pTree->OnCommand(id); break;
    }
    UpdateCommands();
}

// The graphic database is closed while its file is replaced or archived,
// then opened again and the tree read from it.
void CTemplateFrame::ReopenProject(qint32 selectId)
{
    m_pTree->Core().OpenProject();
    m_pTree->FillTree();
    if (selectId != 0 && m_pTree->FindItemById(selectId))
        m_pTree->setCurrentItem(m_pTree->FindItemById(selectId));
}

void CTemplateFrame::OnNewProject()
{
    const QString caption = QStringLiteral("Nuovo progetto grafico");
    if (CMessageBox::Show(this,
                          QStringLiteral("ATTENZIONE: questa operazione cancella il progetto grafico corrente. "
                                         "Vuoi continuare?"),
                          caption, CMessageBox::Exclamation, QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    CConfModelloCore& core = m_pTree->Core();
    core.CloseProject();
    m_pTree->clear();
    QString error;
    CGraphicProjectFiles files(core.InstallFolder(), core.ProjectFolder());
    const bool done = files.ResetProjectFiles(&error);
    ReopenProject(0);
    ReloadPreview();
    if (!done)
        CMessageBox::Show(this, error, caption, CMessageBox::Stop);
}

void CTemplateFrame::OnImportProject()
{
    const QString caption = QStringLiteral("Importa progetto grafico");
    if (CMessageBox::Show(this,
                          QStringLiteral("ATTENZIONE: questa operazione cancella il progetto grafico corrente. "
                                         "Vuoi continuare?"),
                          caption, CMessageBox::Exclamation, QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    const QString archive = m_chooseImportFile();
    if (archive.isEmpty())
        return;
    CConfModelloCore& core = m_pTree->Core();
    const qint32 selected = core.CurrentBlock();
    core.CloseProject();
    m_pTree->clear();
    QString error;
    CGraphicProjectFiles files(core.InstallFolder(), core.ProjectFolder());
    const CGraphicProjectFiles::ImportResult result = files.ImportProject(archive, &error);
    // A refused archive left everything as it was: the same tree comes back.
    ReopenProject(result == CGraphicProjectFiles::ImportResult::Refused ? selected : 0);
    if (result == CGraphicProjectFiles::ImportResult::Refused) {
        CMessageBox::Show(this, error, caption, CMessageBox::Stop);
        return;
    }
    ReloadPreview();
}

void CTemplateFrame::OnExportProject(bool preview)
{
    CConfModelloCore& core = m_pTree->Core();
    CGraphicProjectFiles files(core.InstallFolder(), core.ProjectFolder());
    const QString archive = m_chooseExportFile(files.ProposedArchiveName());
    if (archive.isEmpty())
        return;
    const qint32 selected = core.CurrentBlock();
    core.CloseProject();
    QString error;
    const bool done = files.ExportProject(archive, preview, &error);
    ReopenProject(selected);
    if (done)
        CMessageBox::Show(this, QStringLiteral("Operazione effettuata con successo"),
                          QStringLiteral("Esportazione progetto grafico"), CMessageBox::Information);
    else
        CMessageBox::Show(this, error, QStringLiteral("Esportazione progetto grafico"), CMessageBox::Stop);
}

void CTemplateFrame::OnRegenerateProject()
{
    CConfModelloCore& core = m_pTree->Core();
    QString error;
    CGraphicProjectFiles files(core.InstallFolder(), core.ProjectFolder());
    if (!files.CopySystemPages(&error) && !error.isEmpty())
        CMessageBox::Show(this, error, QStringLiteral("Rigenera intero progetto grafico"), CMessageBox::Stop);
    core.RegenerateProject();
    ReloadPreview();
}

// ---- closing -----------------------------------------------------------------

void CTemplateFrame::closeEvent(QCloseEvent* event)
{
    QMdiSubWindow::closeEvent(event);
    event->accept();
    // Put back at once, not at the deferred deletion: the next command may
    // already read the database.
    Finish();
}

void CTemplateFrame::Finish()
{
    if (m_bFinished)
        return;
    m_bFinished = true;
    // The preview server and its pages go first, so nothing holds the shop
    // database while its copy is put back; the tree closes the graphic one.
    delete m_pBrowser;
    m_pBrowser = nullptr;
    m_pTree->Core().CloseProject();
    if (CMainFrame* main = m_app.GetMainFrame()) {
        main->menuBar()->clear();
        qDeleteAll(m_menus);
        m_menus.clear();
        if (!main->IsClosed()) {
            main->ShowMainToolBar();
            main->RebuildMenus();
        }
    }
    m_app.RestoreDatabase();
    m_app.SetViewOpen(false);
}
