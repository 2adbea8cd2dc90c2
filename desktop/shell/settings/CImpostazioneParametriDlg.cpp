#include "desktop/shell/settings/CImpostazioneParametriDlg.h"

#include "desktop/shell/controls/CValidatedEdit.h"
#include "desktop/shell/settings/CImpostazioneParametriCore.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

CImpostazioneParametriDlg::CImpostazioneParametriDlg(CDaoDatabase& db, CDaoDatabase& shopDb, qint32 idCodiceASP,
                                                     const QString& projectFolder, QWidget* parent)
    : QDialog(parent), m_core(std::make_unique<CImpostazioneParametriCore>(db, shopDb, idCodiceASP, projectFolder))
{
    setWindowTitle(QStringLiteral("Impostazione parametri"));
    m_pList = new QListWidget(this);
    m_pDescription = new CValidatedEdit(this);
    m_pDescription->SetParam(0, -1, 0, 0);
    m_pDescription->SetReadOnly(1);
    m_pValueLabel = new QLabel(QStringLiteral("Valore"), this);
    m_pValue = new CValidatedEdit(this);
    m_pChange = new QPushButton(QStringLiteral("Cambia"), this);
    m_pDelete = new QPushButton(QStringLiteral("Elimina"), this);
    m_pCheck = new QCheckBox(QStringLiteral("Abilita"), this);
    m_pChoices = new QComboBox(this);
    m_pLanguageLabel = new QLabel(QStringLiteral("Lingua"), this);
    m_pLanguage = new QComboBox(this);
    for (const auto& language : m_core->Languages())
        m_pLanguage->addItem(language.text, language.id);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QDialogButtonBox::Ok);
    buttons->addButton(QStringLiteral("Annulla"), QDialogButtonBox::RejectRole);

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Parametri"), this), 0, 0);
    grid->addWidget(m_pList, 1, 0, 6, 1);
    grid->addWidget(m_pDescription, 1, 1, 1, 3);
    grid->addWidget(m_pValueLabel, 2, 1);
    grid->addWidget(m_pValue, 2, 2, 1, 2);
    grid->addWidget(m_pChoices, 3, 2, 1, 2);
    grid->addWidget(m_pCheck, 4, 1, 1, 3);
    grid->addWidget(m_pLanguageLabel, 5, 1);
    grid->addWidget(m_pLanguage, 5, 2);
    auto* fileButtons = new QHBoxLayout;
    fileButtons->addWidget(m_pChange);
    fileButtons->addWidget(m_pDelete);
    grid->addLayout(fileButtons, 5, 3);
    grid->addWidget(buttons, 7, 0, 1, 4);
    m_pList->setFixedWidth(200);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(6, 1);
    m_pValue->setMinimumWidth(260);

    for (const auto& parameter : m_core->Parameters())
        m_pList->addItem(parameter.text);
    m_chooseFile = [this] {
        return QFileDialog::getOpenFileName(
            this, QString(), QString(),
            QStringLiteral("Tutti i formati grafici (*.jpg *.gif);;Files Jpeg (*.jpg);;Files Gif (*.gif);;Tutti i files (*)"));
    };
    connect(m_pList, &QListWidget::currentRowChanged, this, [this](int row) {
        if (m_bShowing)
            return;
        Pull();
        m_core->Select(row);
        ShowCurrent();
    });
    connect(m_pLanguage, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (m_bShowing)
            return;
        m_core->ChooseLanguage(index);
        ShowCurrent();
    });
    connect(m_pChange, &QPushButton::clicked, this, &CImpostazioneParametriDlg::OnChangeFile);
    connect(m_pDelete, &QPushButton::clicked, this, [this] {
        m_core->DeleteFile();
        ShowCurrent();
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &CImpostazioneParametriDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    if (m_pList->count() > 0)
        m_pList->setCurrentRow(0);
    else
        ShowCurrent();
}

CImpostazioneParametriDlg::~CImpostazioneParametriDlg() = default;

// The value controls into the shown parameter before it is written.
void CImpostazioneParametriDlg::Pull()
{
    CImpostazioneParametriCore::Shown& shown = m_core->Current();
    if (shown.kind == 0 || shown.kind == 1)
        m_pValue->GetValue(shown.value);
    shown.check = m_pCheck->isChecked();
    shown.choice = m_pChoices->currentIndex();
}

void CImpostazioneParametriDlg::ShowCurrent()
{
    m_bShowing = true;
    const CImpostazioneParametriCore::Shown& shown = m_core->Current();
    m_pDescription->SetValue(shown.description);
    m_pValueLabel->setText(shown.label);
    m_pValue->SetParam(shown.kind == 1 ? 1 : 0, shown.kind == 1 ? 6 : -1, 0, 0);
    m_pValue->SetValue(shown.value);
    m_pValue->SetReadOnly(shown.valueReadOnly ? 1 : 0);
    m_pValueLabel->setVisible(shown.showValue || shown.showChoices);
    m_pValue->setVisible(shown.showValue);
    for (QWidget* file : {static_cast<QWidget*>(m_pChange), static_cast<QWidget*>(m_pDelete),
                          static_cast<QWidget*>(m_pLanguageLabel), static_cast<QWidget*>(m_pLanguage)})
        file->setVisible(shown.showFile);
    m_pChange->setEnabled(shown.canChange);
    m_pDelete->setEnabled(shown.canDelete);
    m_pLanguage->setCurrentIndex(shown.language);
    m_pCheck->setVisible(shown.showCheck);
    m_pCheck->setChecked(shown.check);
    m_pChoices->setVisible(shown.showChoices);
    m_pChoices->clear();
    m_pChoices->addItems(shown.choices);
    m_pChoices->setCurrentIndex(shown.choice);
    m_bShowing = false;
}

void CImpostazioneParametriDlg::OnChangeFile()
{
    const QString path = m_chooseFile();
    if (path.isEmpty())
        return;
    m_core->ChangeFile(path);
    ShowCurrent();
}

void CImpostazioneParametriDlg::accept()
{
    Pull();
    m_core->Accept();
    QDialog::accept();
}
