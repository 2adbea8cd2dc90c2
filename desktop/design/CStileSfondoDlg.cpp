#include "desktop/design/CStileSfondoDlg.h"

#include "desktop/design/CDefinizioneStiliCore.h"
#include "desktop/design/CStileControlli.h"
#include "desktop/shell/controls/CMessageBox.h"
#include "desktop/shell/controls/CValidatedEdit.h"

#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

namespace {

constexpr int kRepeat = 28;

} // namespace

CStileSfondoDlg::CStileSfondoDlg(CDefinizioneStiliCore& core, QWidget* parent)
    : CStilePagina(core, parent), m_pImage(new QLineEdit(this)),
      m_pChange(new QPushButton(QStringLiteral("Cambia"), this)),
      m_pDelete(new QPushButton(QStringLiteral("Elimina"), this)), m_pLanguage(new QComboBox(this)),
      m_pX(CStileControlli::NumberEdit(this, 4)), m_pY(CStileControlli::NumberEdit(this, 4)),
      m_chooser(&CStileSfondoDlg::AskForImage)
{
    m_pImage->setReadOnly(true);
    m_pImage->setMinimumWidth(160);
    m_pLanguage->addItems(core.Sfondo().LanguageEntries());

    auto* grid = new QGridLayout(this);
    AddLabel(grid, 0, QStringLiteral("Immagine"));
    auto* image = new QHBoxLayout;
    image->addWidget(m_pImage, 1);
    image->addWidget(m_pChange);
    image->addWidget(m_pDelete);
    grid->addLayout(image, 0, 1, 1, 2);
    AddLabel(grid, 1, QStringLiteral("Lingua"));
    grid->addWidget(m_pLanguage, 1, 1);
    AddLabel(grid, 2, QStringLiteral("Posizione X"));
    grid->addWidget(m_pX, 2, 1);
    AddLabel(grid, 3, QStringLiteral("Posizione Y"));
    grid->addWidget(m_pY, 3, 1);
    AddComboRow(grid, 4, QStringLiteral("Ripetizione"), kRepeat, CStileCombo::Repeat);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(5, 1);

    CStileSfondoCore& sfondo = core.Sfondo();
    connect(m_pLanguage, &QComboBox::activated, this, [this, &sfondo](int entry) {
        sfondo.ChooseLanguage(entry);
        Refresh();
    });
    connect(m_pX, &QLineEdit::textEdited, this, [&sfondo](const QString& x) { sfondo.SetPositionX(x); });
    connect(m_pY, &QLineEdit::textEdited, this, [&sfondo](const QString& y) { sfondo.SetPositionY(y); });
    connect(m_pChange, &QPushButton::clicked, this, &CStileSfondoDlg::OnChange);
    connect(m_pDelete, &QPushButton::clicked, this, &CStileSfondoDlg::OnDelete);
}

QString CStileSfondoDlg::AskForImage(QWidget* parent)
{
    QFileDialog dialog(parent);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QStringLiteral("jpg"));
    dialog.setNameFilters({QStringLiteral("Tutti i formati (*.jpg *.gif)"), QStringLiteral("Files Jpeg (*.jpg)"),
                           QStringLiteral("Files Gif (*.gif)")});
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

void CStileSfondoDlg::OnChange()
{
    const QString chosen = m_chooser(this);
    if (chosen.isEmpty())
        return;
    const QString refusal = m_core.Sfondo().ChangeImage(chosen);
    if (!refusal.isEmpty())
        CMessageBox::Show(this, refusal, QStringLiteral("Definizione stili"), CMessageBox::Exclamation);
    Refresh();
}

void CStileSfondoDlg::OnDelete()
{
    m_core.DeleteBackgroundImage();
    Refresh();
}

void CStileSfondoDlg::Refresh()
{
    CStilePagina::Refresh();
    const CStileSfondoCore& sfondo = m_core.Sfondo();
    m_pImage->setText(sfondo.ImageName());
    {
        const QSignalBlocker blocker(m_pLanguage);
        m_pLanguage->setCurrentIndex(sfondo.ChosenLanguage());
    }
    CStileControlli::ShowText(m_pX, sfondo.PositionX());
    CStileControlli::ShowText(m_pY, sfondo.PositionY());
    m_pChange->setEnabled(sfondo.ChangeEnabled());
    m_pDelete->setEnabled(sfondo.DeleteEnabled());
}
