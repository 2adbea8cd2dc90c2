#include "desktop/catalogue/CAggiornamentoListiniDlg.h"

#include "desktop/shell/controls/CRecordTree.h"
#include "desktop/shell/controls/CTreePopupDlg.h"
#include "desktop/shell/controls/CMessageBox.h"
#include "desktop/shell/controls/CValidatedEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString kCaption = QStringLiteral("Aggiornamento listini");

} // namespace

CAggiornamentoListiniDlg::CAggiornamentoListiniDlg(CDaoDatabase& database, const QString& projectFolder,
                                                   const QString& currentLanguage, const QString& defaultLanguage,
                                                   QWidget* parent)
    : QDialog(parent), m_db(database), m_strProjectFolder(projectFolder), m_jobs(*this)
{
    connect(&m_jobs, &CCatalogueJobRunner::Finished, this, &CAggiornamentoListiniDlg::OnJobEnd);
    setWindowTitle(kCaption);
    m_pCategory = new CValidatedEdit(this);
    m_pCategory->SetParam(0, -1, 0, 0);
    m_pCategory->SetReadOnly(1);
    m_pChoose = new QToolButton(this);
    m_pChoose->setText(QStringLiteral("..."));
    m_pPercent = new CValidatedEdit(this);
    m_pPercent->SetParam(2, 5, 0, 2);
    m_pList = new QComboBox(this);
    m_pList->addItems({QStringLiteral("Tutti i listini"), QStringLiteral("Prezzo 1"), QStringLiteral("Prezzo 2"),
                       QStringLiteral("Prezzo 3"), QStringLiteral("Prezzo 4")});
    m_pList->setCurrentIndex(-1);
    m_pPromo = new QCheckBox(QStringLiteral("Applica variazione ai prezzi promozionali"), this);
    m_pBar = new QProgressBar(this);
    m_pBar->setTextVisible(false);
    m_pCount = new QLabel(this);
    m_pStart = new QPushButton(QStringLiteral("Avvio"), this);
    m_pCancel = new QPushButton(QStringLiteral("Annulla"), this);

    auto* category = new QHBoxLayout;
    category->addWidget(m_pCategory, 1);
    category->addWidget(m_pChoose);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Categorie"), category);
    form->addRow(QStringLiteral("Variazione %"), m_pPercent);
    form->addRow(QStringLiteral("Listino"), m_pList);
    form->addRow(QString(), m_pPromo);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_pStart);
    buttons->addWidget(m_pCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_pBar);
    layout->addWidget(m_pCount);
    layout->addLayout(buttons);

    m_pPopup = new CTreePopupDlg(this);
    CRecordTree::Fill(m_pPopup->Tree(), CRecordTree::Categories(m_db, currentLanguage, defaultLanguage));
    ChooseCategory(0, QStringLiteral("Tutte le categorie"));
    connect(m_pChoose, &QToolButton::clicked, this, [this] { m_pPopup->ShowOver(m_pCategory); });
    connect(m_pPopup, &CTreePopupDlg::UM_TREE_POPUP_SELECT, this,
            [this] { ChooseCategory(m_pPopup->GetSelectedData(), m_pPopup->GetSelectedText()); });
    connect(m_pStart, &QPushButton::clicked, this, &CAggiornamentoListiniDlg::OnAvvio);
    connect(m_pCancel, &QPushButton::clicked, this, &CAggiornamentoListiniDlg::reject);
}

CAggiornamentoListiniDlg::~CAggiornamentoListiniDlg() = default;

void CAggiornamentoListiniDlg::ChooseCategory(qint32 id, const QString& text)
{
    m_nCategory = id;
    m_pCategory->SetValue(text);
}

void CAggiornamentoListiniDlg::OnAvvio()
{
    if (m_pPercent->text().trimmed().isEmpty() || m_pList->currentIndex() < 0) {
        QWidget* missing = m_pPercent->text().trimmed().isEmpty() ? static_cast<QWidget*>(m_pPercent) : m_pList;
        CMessageBox::Show(this, QStringLiteral("Campo obbligatorio!"), QStringLiteral("Validazione campi"),
                          CMessageBox::Stop);
        missing->setFocus();
        return;
    }
    if (!m_pPercent->ValidateEntry()) {
        m_pPercent->setFocus();
        return;
    }
    CAggiornamentoListini::Settings settings;
    settings.nCategory = m_nCategory;
    m_pPercent->GetValue(settings.dPercent);
    settings.nList = m_pList->currentIndex();
    settings.bPromotional = m_pPromo->isChecked();
    const QString refusal = CAggiornamentoListini::Refusal(settings);
    if (!refusal.isEmpty()) {
        CMessageBox::Show(this, refusal, QStringLiteral("Validazione campi"), CMessageBox::Stop);
        m_pPercent->setFocus();
        return;
    }
    const QString question =
        CAggiornamentoListini::Confirmation(settings, m_pList->currentText(), m_pCategory->text());
    if (CMessageBox::Show(this, question, kCaption, CMessageBox::Question, QMessageBox::Yes | QMessageBox::No)
        != QMessageBox::Yes)
        return;

    m_pStart->setEnabled(false);
    m_pJob = std::make_unique<CAggiornamentoListini>(m_db, m_strProjectFolder, settings);
    if (!m_jobs.Start(*m_pJob))
        OnJobEnd(CCatalogueJob::Failed);
}

void CAggiornamentoListiniDlg::OnJobEnd(CCatalogueJob::Result result)
{
    const std::unique_ptr<CAggiornamentoListini> job = std::move(m_pJob);
    switch (result) {
    case CCatalogueJob::Done:
        CMessageBox::Show(this, QStringLiteral("Aggiornamento completato."), kCaption, CMessageBox::Information);
        accept();
        return;
    case CCatalogueJob::Cancelled:
        CMessageBox::Show(this, QStringLiteral("Aggiornamento annullato: i prezzi sono rimasti com'erano."), kCaption,
                          CMessageBox::Exclamation);
        break;
    case CCatalogueJob::Failed:
        CMessageBox::Show(this, job->Error(), kCaption, CMessageBox::Stop);
        break;
    }
    m_pStart->setEnabled(true);
}

// During a run "Annulla", Escape and closing the window only ask the job
// to stop.
void CAggiornamentoListiniDlg::reject()
{
    if (m_jobs.IsRunning()) {
        m_jobs.Cancel();
        return;
    }
    QDialog::reject();
}

void CAggiornamentoListiniDlg::SetLabel(const QString&) {}

void CAggiornamentoListiniDlg::SetTotal(int total)
{
    m_pBar->setRange(0, qMax(total, 0));
    m_pBar->setValue(0);
    m_pCount->setText(QStringLiteral("0 / %1").arg(total));
}

void CAggiornamentoListiniDlg::SetDone(int done)
{
    m_pBar->setValue(done);
    m_pCount->setText(QStringLiteral("%1 / %2").arg(done).arg(m_pBar->maximum()));
}
