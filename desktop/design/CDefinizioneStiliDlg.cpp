#include "desktop/design/CDefinizioneStiliDlg.h"

#include "desktop/design/CDefinizioneStiliCore.h"
#include "desktop/design/CStileBordiDlg.h"
#include "desktop/design/CStileBoxDlg.h"
#include "desktop/design/CStileColoriDlg.h"
#include "desktop/design/CStileFontDlg.h"
#include "desktop/design/CStileMarginiDlg.h"
#include "desktop/design/CStileSfondoDlg.h"
#include "desktop/shell/controls/CMessageBox.h"
#include "platform/dao/CDaoException.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

const QString kCaption = QStringLiteral("Definizione stili");

} // namespace

CDefinizioneStiliDlg::CDefinizioneStiliDlg(CDaoDatabase& graphic, CDaoDatabase& shop, qint32 blockId,
                                           const QString& projectFolder, QStringList& styleClipboard,
                                           QWidget* parent)
    : QDialog(parent),
      m_core(std::make_unique<CDefinizioneStiliCore>(graphic, shop, blockId, projectFolder, styleClipboard)),
      m_pClasses(new QListWidget(this)), m_pDescription(new QLineEdit(this)), m_pTabs(new QTabWidget(this)),
      m_pCopy(new QPushButton(QStringLiteral("Copia"), this)),
      m_pPaste(new QPushButton(QStringLiteral("Incolla"), this))
{
    setWindowTitle(kCaption);
    m_core->Open();
    m_pDescription->setReadOnly(true);
    // All seven tabs in sight: the dialog grows to hold them.
    m_pTabs->setUsesScrollButtons(false);
    BuildPages();

    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel(QStringLiteral("Classi CSS"), this));
    left->addWidget(m_pClasses, 1);
    left->addWidget(m_pDescription);
    auto* clipboard = new QHBoxLayout;
    clipboard->addWidget(m_pCopy);
    clipboard->addWidget(m_pPaste);
    left->addLayout(clipboard);
    m_pClasses->setMinimumWidth(180);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("Annulla"), QDialogButtonBox::RejectRole);
    auto* right = new QVBoxLayout;
    right->addWidget(m_pTabs, 1);
    right->addWidget(buttons);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addLayout(right, 1);

    FillClassList();
    RefreshPages();
    RefreshButtons();
    connect(m_pClasses, &QListWidget::currentRowChanged, this, &CDefinizioneStiliDlg::OnClassSelected);
    connect(m_pCopy, &QPushButton::clicked, this, &CDefinizioneStiliDlg::OnCopy);
    connect(m_pPaste, &QPushButton::clicked, this, &CDefinizioneStiliDlg::OnPaste);
    connect(buttons, &QDialogButtonBox::accepted, this, &CDefinizioneStiliDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CDefinizioneStiliDlg::reject);
}

CDefinizioneStiliDlg::~CDefinizioneStiliDlg() = default;

bool CDefinizioneStiliDlg::PerLanguageBackgroundChanged() const
{
    return m_core->PerLanguageBackgroundChanged();
}

void CDefinizioneStiliDlg::BuildPages()
{
    CDefinizioneStiliCore& core = *m_core;
    const std::pair<const char*, CStilePagina*> pages[] = {
        {"  Box  ", new CStileBoxDlg(core)},
        {"  Colori  ", new CStileColoriDlg(core)},
        {"  Margini  ", new CStileMarginiDlg(core, 6)},
        {"  Bordi  ", new CStileBordiDlg(core)},
        {"  Riempimenti  ", new CStileMarginiDlg(core, 22)},
        {"  Sfondo  ", new CStileSfondoDlg(core)},
        {"  Caratteri  ", new CStileFontDlg(core)},
    };
    for (const auto& [title, page] : pages) {
        m_pTabs->addTab(page, QString::fromLatin1(title));
        m_pages << page;
    }
}

void CDefinizioneStiliDlg::FillClassList()
{
    const QSignalBlocker blocker(m_pClasses);
    for (const CDefinizioneStiliCore::ClassEntry& entry : m_core->Classes()) {
        auto* item = new QListWidgetItem(entry.strName, m_pClasses);
        item->setData(Qt::UserRole, entry.nId);
    }
    m_pClasses->setCurrentRow(m_core->CurrentIndex());
    m_pDescription->setText(m_core->CurrentDescription());
}

void CDefinizioneStiliDlg::OnClassSelected(int row)
{
    if (row < 0 || row == m_core->CurrentIndex())
        return;
    if (!Guarded([&] { m_core->SelectClass(row); })) {
        // The class left could not be written: it stays the one edited.
        const QSignalBlocker blocker(m_pClasses);
        m_pClasses->setCurrentRow(m_core->CurrentIndex());
        return;
    }
    m_pDescription->setText(m_core->CurrentDescription());
    RefreshPages();
}

void CDefinizioneStiliDlg::OnCopy()
{
    m_core->Copy();
    RefreshButtons();
}

void CDefinizioneStiliDlg::OnPaste()
{
    m_core->Paste();
    RefreshPages();
}

void CDefinizioneStiliDlg::accept()
{
    if (Guarded([&] { m_core->Confirm(); }))
        QDialog::accept();
}

void CDefinizioneStiliDlg::RefreshPages()
{
    for (CStilePagina* page : m_pages)
        page->Refresh();
}

void CDefinizioneStiliDlg::RefreshButtons()
{
    m_pCopy->setEnabled(m_core->CopyEnabled());
    m_pPaste->setEnabled(m_core->PasteEnabled());
}

bool CDefinizioneStiliDlg::Guarded(const std::function<void()>& step)
{
    try {
        step();
        return true;
    } catch (const CDaoException& error) {
        CMessageBox::Show(this, error.GetErrorMessage(), kCaption, CMessageBox::Stop);
        return false;
    }
}
