#include "desktop/catalogue/CProdottiFilesDlg.h"

#include "desktop/shell/controls/CValidatedEdit.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QSignalBlocker>
#include <QStyle>
#include <QToolButton>
#include <QUrl>

CProdottiFilesDlg::CProdottiFilesDlg(const QString& projectFolder, QWidget* parent)
    : QWidget(parent), m_core(projectFolder)
{
    m_pCode = new CValidatedEdit(this);
    m_pCode->SetParam(0, 8, 1, 0);
    m_pCode->SetAllowedChr(QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWYXZ1234567890"));
    m_pCode->setFixedWidth(110);
    m_pList = new QListWidget(this);
    m_pList->setFixedSize(180, 200);
    m_pAdd = MakeButton(QStyle::SP_FileDialogNewFolder, QStringLiteral("Aggiungi file"));
    m_pReplace = MakeButton(QStyle::SP_BrowserReload, QStringLiteral("Sostituisci file"));
    m_pDelete = MakeButton(QStyle::SP_TrashIcon, QStringLiteral("Cancella file"));
    m_pOpen = MakeButton(QStyle::SP_DialogOpenButton, QStringLiteral("Apri file"));

    auto* buttons = new QHBoxLayout;
    for (QToolButton* button : {m_pAdd, m_pReplace, m_pDelete, m_pOpen})
        buttons->addWidget(button);
    buttons->addStretch();
    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Codice file"), this), 0, 0);
    layout->addWidget(m_pCode, 0, 1, Qt::AlignLeft);
    layout->addLayout(buttons, 1, 1);
    layout->addWidget(m_pList, 2, 1, Qt::AlignLeft | Qt::AlignTop);
    layout->setColumnStretch(2, 1);
    layout->setRowStretch(3, 1);

    m_core.m_chooseFile = [this] {
        return QFileDialog::getOpenFileName(this, QString(), QString(), QStringLiteral("Tutti i files (*)"));
    };
    m_core.m_openFile = [](const QString& path) { return QDesktopServices::openUrl(QUrl::fromLocalFile(path)); };

    connect(m_pAdd, &QToolButton::clicked, this, [this] { Run(&CProdottiFilesCore::Add); });
    connect(m_pReplace, &QToolButton::clicked, this, [this] { Run(&CProdottiFilesCore::Replace); });
    connect(m_pDelete, &QToolButton::clicked, this, [this] { Run(&CProdottiFilesCore::Delete); });
    connect(m_pOpen, &QToolButton::clicked, this, [this] { Run(&CProdottiFilesCore::Open); });
    connect(m_pList, &QListWidget::itemDoubleClicked, this, [this] { Run(&CProdottiFilesCore::Open); });
    connect(m_pList, &QListWidget::currentRowChanged, this, [this](int row) {
        m_core.Select(row);
        ShowState();
    });
    ShowState();
}

CProdottiFilesDlg::~CProdottiFilesDlg() = default;

QToolButton* CProdottiFilesDlg::MakeButton(int icon, const QString& tip)
{
    auto* button = new QToolButton(this);
    button->setIcon(style()->standardIcon(static_cast<QStyle::StandardPixmap>(icon)));
    button->setIconSize(QSize(16, 16));
    button->setToolTip(tip);
    return button;
}

void CProdottiFilesDlg::FillFileList(qint32 productId)
{
    m_core.FillFileList(productId);
    ShowState();
}

void CProdottiFilesDlg::Run(bool (CProdottiFilesCore::*action)())
{
    QString code;
    m_pCode->GetValue(code);
    m_core.SetCode(code);
    const bool done = (m_core.*action)();
    // A refusal keeps the entry to be corrected; every other end resets.
    if (!done && !m_core.Code().isEmpty() && m_core.Selected() < 0) {
        m_pCode->setFocus();
        return;
    }
    ShowState();
}

void CProdottiFilesDlg::ShowState()
{
    {
        const QSignalBlocker blocker(m_pList);
        if (m_pList->count() != m_core.Codes().size() || m_core.Selected() < 0) {
            m_pList->clear();
            m_pList->addItems(m_core.Codes());
        }
        m_pList->setCurrentRow(m_core.Selected());
    }
    m_pCode->SetValue(m_core.Code());
    const CProdottiFilesCore::Buttons buttons = m_core.ButtonState();
    m_pAdd->setEnabled(buttons.add);
    m_pReplace->setEnabled(buttons.replace);
    m_pDelete->setEnabled(buttons.remove);
    m_pOpen->setEnabled(buttons.open);
}
