#include "desktop/shell/projects/CNuovoProgettoDlg.h"

#include "desktop/shell/controls/CFolderDialog.h"
#include "desktop/shell/controls/CMessageBox.h"
#include "desktop/shell/controls/CValidatedEdit.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QString kFolderCharacters = QStringLiteral("abcdefghijklmnopqrstuvwxyz0123456789-_.");
}

CNuovoProgettoDlg::CNuovoProgettoDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Nuovo progetto"));
    m_pName = new CValidatedEdit(this);
    m_pName->SetParam(0, 15, 0, 0);
    m_pName->SetAllowedChr(kFolderCharacters);
    m_pDropped = new QLabel(this);
    m_pDropped->setWordWrap(true);
    m_pDropped->hide();
    m_pFolder = new CValidatedEdit(this);
    m_pFolder->SetParam(0, 256, 0, 0);
    m_pBrowse = new QPushButton(QStringLiteral("Sfoglia"), this);

    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(m_pFolder, 1);
    folderRow->addWidget(m_pBrowse);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Nome"), m_pName);
    form->addRow(QString(), m_pDropped);
    form->addRow(QStringLiteral("Directory"), folderRow);

    auto* buttons = new QDialogButtonBox(this);
    m_pOk = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Annulla"), QDialogButtonBox::RejectRole);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &CNuovoProgettoDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_pName, &QLineEdit::textChanged, this, &CNuovoProgettoDlg::OnNameChanged);
    connect(m_pBrowse, &QPushButton::clicked, this, &CNuovoProgettoDlg::OnBrowse);
    connect(m_pName, &CFilteredLineEdit::CharacterRefused, this, &CNuovoProgettoDlg::OnCharacterRefused);
}

// The name becomes a folder's name, so only what a folder name can hold
// goes in; the merchant is told which typed characters were left out.
void CNuovoProgettoDlg::OnCharacterRefused(QChar ch)
{
    if (kFolderCharacters.contains(ch) || m_dropped.contains(ch))
        return;   // refused for the length, not for the character
    m_dropped.append(ch);
    QStringList shown;
    for (QChar dropped : std::as_const(m_dropped))
        shown << (dropped == QLatin1Char(' ') ? QStringLiteral("spazio") : QString(dropped));
    m_pDropped->setText(QStringLiteral("Il nome della cartella del progetto non può contenere: %1. "
                                       "Questi caratteri sono stati tolti (usare lettere minuscole, cifre, - _ .).")
                            .arg(shown.join(QStringLiteral(" "))));
    m_pDropped->show();
}

CNuovoProgettoDlg::~CNuovoProgettoDlg() = default;

int CNuovoProgettoDlg::DoModal()
{
    OnInitDialog();
    return exec();
}

void CNuovoProgettoDlg::OnInitDialog()
{
    m_pFolder->SetValue(m_strFolder);
    m_pOk->setEnabled(true);
}

void CNuovoProgettoDlg::ShowFolder()
{
    m_pFolder->SetValue(m_strFolder + QLatin1Char('/') + m_pName->text());
}

void CNuovoProgettoDlg::OnNameChanged()
{
    // A pasted name passes no key filter: what a folder name cannot hold
    // is taken out here, and said.
    QString kept;
    for (QChar ch : m_pName->text()) {
        if (kFolderCharacters.contains(ch))
            kept.append(ch);
        else
            OnCharacterRefused(ch);
    }
    kept.truncate(15);
    if (kept != m_pName->text()) {
        const QSignalBlocker blocker(m_pName);
        m_pName->setText(kept);
    }
    ShowFolder();
    m_pOk->setEnabled(!m_pName->text().isEmpty());
}

void CNuovoProgettoDlg::OnBrowse()
{
    QString folder = m_strFolder;
    if (!BrowseFolder(&folder))
        return;
    m_strFolder = folder;
    ShowFolder();
}

bool CNuovoProgettoDlg::BrowseFolder(QString* folder)
{
    CFolderDialog chooser(QStringLiteral("Selezione directory"),
                          QStringLiteral("Scegli la directory per il nuovo progetto"), *folder, false, this);
    if (chooser.DoModal() != 1)
        return false;
    *folder = chooser.GetPath();
    return true;
}

void CNuovoProgettoDlg::accept()
{
    m_strFolder = m_pFolder->text();
    // mkdir makes only the last folder and fails when it is there already,
    // so an existing folder is never taken over as a new project.
    if (m_strFolder.isEmpty() || !QDir().mkdir(m_strFolder)) {
        CMessageBox::Show(this, QStringLiteral("Impossibile creare la directory!"),
                          QStringLiteral("Creazione directory"), CMessageBox::Stop);
        return;
    }
    m_strName = m_pName->text();
    QDialog::accept();
}
