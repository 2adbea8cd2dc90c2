#include "desktop/catalogue/CProdottiColoriDlg.h"

#include "desktop/catalogue/CImmagine.h"
#include "desktop/shell/controls/CClickListCtrl.h"
#include "desktop/shell/controls/CMessageBox.h"
#include "desktop/shell/controls/CValidatedEdit.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>

namespace {

constexpr int kPreviewSide = 96;

QToolButton* MakeButton(QWidget* parent, QStyle::StandardPixmap icon, const QString& tip)
{
    auto* button = new QToolButton(parent);
    button->setIcon(parent->style()->standardIcon(icon));
    button->setIconSize(QSize(16, 16));
    button->setToolTip(tip);
    return button;
}

QLabel* MakePreview(QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setFixedSize(kPreviewSide, kPreviewSide);
    label->setAlignment(Qt::AlignCenter);
    label->setFrameShape(QFrame::StyledPanel);
    QSizePolicy policy = label->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    label->setSizePolicy(policy);
    return label;
}

} // namespace

CProdottiColoriDlg::CProdottiColoriDlg(CDaoDatabase& db, const QString& projectFolder,
                                       const CProdottiColoriCore::Widths& widths, QWidget* parent)
    : QWidget(parent), m_core(db, projectFolder, widths)
{
    m_core.m_pParent = this;
    m_core.m_chooseFile = [this] {
        return QFileDialog::getOpenFileName(this, QString(), QString(), CImmagine::FileFilter());
    };

    m_pList = new CClickListCtrl(this);
    m_pList->setViewMode(QListView::IconMode);
    m_pList->setIconSize(QSize(CProdottiColoriCore::kThumbnailSide, CProdottiColoriCore::kThumbnailSide));
    m_pList->setResizeMode(QListView::Adjust);
    m_pList->setMovement(QListView::Static);
    m_pList->setSpacing(6);
    m_pList->setMinimumHeight(130);

    m_pCodice = new CValidatedEdit(this);
    m_pCodice->SetParam(0, CProdottiColoriCore::kCodeLength, 0, 0);
    m_pDescrizione = new CValidatedEdit(this);
    m_pDescrizione->SetParam(0, CProdottiColoriCore::kDescriptionLength, 0, 0);
    m_pAttivo = new QCheckBox(QStringLiteral("Attivo"), this);
    m_pFoto = new QPushButton(QStringLiteral("Seleziona foto"), this);
    m_pDettaglio = new QPushButton(QStringLiteral("Seleziona dettaglio"), this);
    m_pAdd = MakeButton(this, QStyle::SP_FileDialogNewFolder, QStringLiteral("Inserisci colore"));
    m_pModify = MakeButton(this, QStyle::SP_DialogSaveButton, QStringLiteral("Salva colore"));
    m_pDelete = MakeButton(this, QStyle::SP_TrashIcon, QStringLiteral("Cancella colore"));
    m_pFotoPreview = MakePreview(this);
    m_pDettaglioPreview = MakePreview(this);

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(QStringLiteral("Codice colore"), this), 0, 0);
    fields->addWidget(m_pCodice, 0, 1);
    fields->addWidget(new QLabel(QStringLiteral("Descrizione"), this), 1, 0);
    fields->addWidget(m_pDescrizione, 1, 1);
    fields->addWidget(m_pAttivo, 2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_pAdd);
    buttons->addWidget(m_pModify);
    buttons->addWidget(m_pDelete);
    buttons->addStretch();
    fields->addLayout(buttons, 3, 1);

    auto* pictures = new QGridLayout;
    pictures->addWidget(m_pFoto, 0, 0);
    pictures->addWidget(m_pDettaglio, 0, 1);
    pictures->addWidget(m_pFotoPreview, 1, 0, Qt::AlignHCenter);
    pictures->addWidget(m_pDettaglioPreview, 1, 1, Qt::AlignHCenter);

    auto* lower = new QHBoxLayout;
    lower->addLayout(fields, 1);
    lower->addLayout(pictures);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pList, 1);
    layout->addLayout(lower);

    connect(m_pList, &CClickListCtrl::UM_LIST_CLICK, this, &CProdottiColoriDlg::OnListClick);
    connect(m_pFoto, &QPushButton::clicked, this, [this] { OnChoose(CProdottiColoriCore::Foto); });
    connect(m_pDettaglio, &QPushButton::clicked, this, [this] { OnChoose(CProdottiColoriCore::Dettaglio); });
    connect(m_pAdd, &QToolButton::clicked, this, &CProdottiColoriDlg::OnAdd);
    connect(m_pModify, &QToolButton::clicked, this, &CProdottiColoriDlg::OnModify);
    connect(m_pDelete, &QToolButton::clicked, this, &CProdottiColoriDlg::OnDelete);
    ShowButtons();
    ShowPreviews();
}

void CProdottiColoriDlg::LoadColours(qint32 productId)
{
    m_core.LoadColours(productId);
    ShowItems();
    ShowFields({});
    ShowButtons();
    ShowPreviews();
}

void CProdottiColoriDlg::OnListClick(int row)
{
    const QListWidgetItem* item = row >= 0 ? m_pList->item(row) : nullptr;
    ShowFields(m_core.Select(item ? item->data(Qt::UserRole).toInt() : 0));
    if (m_core.Selected() > 0)
        m_pCodice->setFocus();
    else
        m_pList->clearSelection();
    ShowButtons();
    ShowPreviews();
}

void CProdottiColoriDlg::OnChoose(CProdottiColoriCore::Picture kind)
{
    Refused(m_core.ChoosePicture(kind));
    ShowPreviews();
}

void CProdottiColoriDlg::OnAdd()
{
    if (Refused(m_core.Add(Typed())))
        return;
    ShowItems();
    ShowFields({});
    ShowButtons();
    ShowPreviews();
}

void CProdottiColoriDlg::OnModify()
{
    if (Refused(m_core.Modify(Typed())))
        return;
    ShowItems();
    ShowFields({});
    ShowButtons();
    ShowPreviews();
}

void CProdottiColoriDlg::OnDelete()
{
    if (!m_core.Delete())
        return;
    ShowItems();
    ShowFields({});
    ShowButtons();
    ShowPreviews();
}

CProdottiColoriCore::Fields CProdottiColoriDlg::Typed() const
{
    CProdottiColoriCore::Fields fields;
    m_pCodice->GetValue(fields.strCodice);
    m_pDescrizione->GetValue(fields.strDescrizione);
    fields.bAttivo = m_pAttivo->isChecked();
    return fields;
}

void CProdottiColoriDlg::ShowFields(const CProdottiColoriCore::Fields& fields)
{
    m_pCodice->SetValue(fields.strCodice);
    m_pDescrizione->SetValue(fields.strDescrizione);
    m_pAttivo->setChecked(fields.bAttivo);
}

void CProdottiColoriDlg::ShowItems()
{
    m_pList->clear();
    for (const CProdottiColoriCore::Item& colour : m_core.Items()) {
        auto* item = new QListWidgetItem(QIcon(QPixmap::fromImage(colour.thumbnail)), colour.strCodice, m_pList);
        item->setData(Qt::UserRole, colour.nId);
    }
}

void CProdottiColoriDlg::ShowButtons()
{
    const CProdottiColoriCore::Buttons buttons = m_core.GetButtons();
    m_pAdd->setEnabled(buttons.bAdd);
    m_pModify->setEnabled(buttons.bModify);
    m_pDelete->setEnabled(buttons.bDelete);
    m_pFoto->setEnabled(buttons.bPictures);
    m_pDettaglio->setEnabled(buttons.bPictures);
}

void CProdottiColoriDlg::ShowPreviews()
{
    const auto show = [this](QLabel* label, CProdottiColoriCore::Picture kind) {
        const QImage& chosen = m_core.Chosen(kind);
        label->setVisible(!chosen.isNull());
        if (!chosen.isNull())
            label->setPixmap(QPixmap::fromImage(
                chosen.scaled(kPreviewSide - 4, kPreviewSide - 4, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    };
    show(m_pFotoPreview, CProdottiColoriCore::Foto);
    show(m_pDettaglioPreview, CProdottiColoriCore::Dettaglio);
}

bool CProdottiColoriDlg::Refused(const CProdottiColoriCore::Refusal& refusal)
{
    if (!refusal.IsRefused())
        return false;
    CMessageBox::Show(this, refusal.strText, refusal.strCaption, CMessageBox::Stop);
    if (refusal.nControl != 0)
        m_pCodice->setFocus();
    return true;
}
