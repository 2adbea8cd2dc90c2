#include "desktop/catalogue/CCategorieView.h"

#include "desktop/catalogue/CCategoryDragTree.h"
#include "desktop/shell/controls/CMessageBox.h"
#include "desktop/shell/controls/CPictureFit.h"
#include "desktop/shell/controls/CValidatedEdit.h"
#include "platform/dao/CDaoException.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QSet>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString kValidation = QStringLiteral("Validazione campi");

struct ButtonLook
{
    QStyle::StandardPixmap icon;
    const char* tip;
};

const ButtonLook kButtons[CCategorieView::ButtonCount] = {
    {QStyle::SP_FileDialogNewFolder, "Inserisci"}, {QStyle::SP_DialogSaveButton, "Salva"},
    {QStyle::SP_BrowserReload, "Annulla modifiche"}, {QStyle::SP_TrashIcon, "Cancella"},
    {QStyle::SP_FileDialogContentsView, "Immagine"}, {QStyle::SP_ArrowUp, "Sposta su"},
    {QStyle::SP_ArrowDown, "Sposta giù"},
};

} // namespace

CCategorieView::CCategorieView(CDaoDatabase& database, const QString& projectFolder, const QString& currentLanguage,
                               const QString& defaultLanguage, QWidget* parent)
    : QWidget(parent), m_core(database, projectFolder)
{
    m_pTree = new CCategoryDragTree(this);
    m_pCodice = new CValidatedEdit(this);
    m_pCodice->SetParam(0, 20, 0, 0);
    m_pCodice->SetAllowedChr(QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWYXZ1234567890"));
    m_pNome = new CValidatedEdit(this);
    m_pNome->SetParam(0, 50, 0, 0);
    m_pDescrizione = new QPlainTextEdit(this);
    m_pPicture = new QLabel(this);
    m_pPicture->setAlignment(Qt::AlignCenter);
    m_pPicture->setMinimumSize(180, 140);

    auto* form = new QGridLayout;
    form->addWidget(new QLabel(QStringLiteral("Codice"), this), 0, 0);
    form->addWidget(m_pCodice, 0, 1);
    form->addWidget(new QLabel(QStringLiteral("Nome"), this), 1, 0);
    form->addWidget(m_pNome, 1, 1);
    form->addWidget(new QLabel(QStringLiteral("Descrizione"), this), 2, 0, Qt::AlignTop);
    form->addWidget(m_pDescrizione, 2, 1);
    auto* buttons = new QHBoxLayout;
    for (int i = 0; i < ButtonCount; ++i) {
        m_buttons[i] = new QToolButton(this);
        m_buttons[i]->setIcon(style()->standardIcon(kButtons[i].icon));
        m_buttons[i]->setIconSize(QSize(16, 16));
        m_buttons[i]->setToolTip(QString::fromUtf8(kButtons[i].tip));
        buttons->addWidget(m_buttons[i]);
        connect(m_buttons[i], &QToolButton::clicked, this, [this, i] { OnButton(i); });
    }
    buttons->addStretch();
    auto* pictureBox = new QGroupBox(QStringLiteral("Icona Categoria"), this);
    auto* pictureLayout = new QVBoxLayout(pictureBox);
    pictureLayout->addWidget(m_pPicture);
    auto* hint = new QLabel(QStringLiteral(" Seleziona la categoria per inserire una\n sottocategoria.\n\n Fai click sulla "
                                           "categoria selezionata per\n modificarla o cancellarla."),
                            this);

    auto* right = new QVBoxLayout;
    right->addLayout(form);
    right->addLayout(buttons);
    right->addWidget(hint);
    right->addWidget(pictureBox, 1);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_pTree, 1);
    layout->addLayout(right, 1);

    connect(m_pTree, &CCategoryDragTree::ItemPressed, this, &CCategorieView::OnPressed);
    connect(m_pTree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (m_bRebuilding)
            return;
        m_core.Select(CCategoryDragTree::IdOf(item));
        ShowState();
    });
    connect(m_pTree, &CCategoryDragTree::UM_TREE_DROP, this, [this](qint32 source, qint32 target, int command) {
        Guard([&] { m_core.Drop(source, target, command); });
    });

    m_core.SetLanguages(currentLanguage, defaultLanguage);
    Guard([this] { m_core.Start(); });
}

CCategorieView::~CCategorieView() = default;

template <typename F>
void CCategorieView::Guard(F&& step)
{
    try {
        step();
    } catch (const CDaoException& error) {
        CMessageBox::Show(this, error.GetErrorMessage(), QStringLiteral("Categorie prodotti"), CMessageBox::Stop);
    }
    Rebuild();
}

// The tree as the core has it, with the open branches and the selection
// kept.
void CCategorieView::Rebuild()
{
    m_bRebuilding = true;
    QTreeWidgetItem* selected = m_pTree->ShowNodes(m_core.Tree(), m_core.Selected());
    if (selected && selected->parent())
        selected->parent()->setExpanded(true);
    m_pTree->setCurrentItem(selected);
    m_bRebuilding = false;
    ShowState();
}

void CCategorieView::ShowState()
{
    const CCategorieViewCore::Fields& fields = m_core.CurrentFields();
    m_pCodice->SetValue(fields.strCodice);
    m_pNome->SetValue(fields.strNome);
    m_pDescrizione->setPlainText(fields.strDescrizione);
    m_buttons[Insert]->setEnabled(m_core.CanInsert());
    for (int i : {Save, Revert, Delete, Picture})
        m_buttons[i]->setEnabled(m_core.CanEdit());
    m_buttons[MoveUp]->setEnabled(m_core.CanMoveUp());
    m_buttons[MoveDown]->setEnabled(m_core.CanMoveDown());
    ShowPicture();
}

void CCategorieView::ShowPicture()
{
    CPictureFit::ShowIn(m_pPicture, m_core.PicturePath());
}

void CCategorieView::OnPressed(qint32 id, bool wasSelected)
{
    if (id == 0 || wasSelected)
        m_core.Click(id);
    ShowState();
}

CCategorieViewCore::Fields CCategorieView::Typed() const
{
    QString codice;
    QString nome;
    m_pCodice->GetValue(codice);
    m_pNome->GetValue(nome);
    return {codice, nome, m_pDescrizione->toPlainText()};
}

void CCategorieView::Refused(const CCategorieViewCore::Refusal& refusal)
{
    CMessageBox::Show(this, refusal.strText, kValidation, CMessageBox::Stop);
    if (refusal.focus == CCategorieViewCore::CodiceField)
        m_pCodice->setFocus();
    else if (refusal.focus == CCategorieViewCore::NomeField)
        m_pNome->setFocus();
}

void CCategorieView::OnButton(int index)
{
    if (index == Insert || index == Save) {
        const CCategorieViewCore::Fields typed = Typed();
        CCategorieViewCore::Refusal refusal;
        try {
            refusal = index == Insert ? m_core.Insert(typed) : m_core.Save(typed);
        } catch (const CDaoException& error) {
            refusal.strText = error.GetErrorMessage();
        }
        if (refusal.IsRefused()) {
            Refused(refusal);   // what was typed stays
            return;
        }
        Rebuild();
        return;
    }
    switch (index) {
    case Revert:
        Guard([this] { m_core.Revert(); });
        return;
    case Delete:
        if (m_core.Selected() <= 0)
            return;
        if (CMessageBox::Show(this, m_core.DeleteQuestion(), QStringLiteral("Cancellazione categoria"),
                              CMessageBox::Question, QMessageBox::Yes | QMessageBox::No)
            == QMessageBox::Yes)
            Guard([this] { m_core.Delete(); });
        return;
    case MoveUp:
        Guard([this] { m_core.MoveUp(); });
        return;
    case MoveDown:
        Guard([this] { m_core.MoveDown(); });
        return;
    case Picture: {
        const QString file = m_choosePicture
                                 ? m_choosePicture()
                                 : QFileDialog::getOpenFileName(
                                       this, QString(), QString(),
                                       QStringLiteral("Tutti i formati supportati (*.bmp *.jpg *.gif);;Files Bitmap "
                                                      "(*.bmp);;Files Jpeg (*.jpg);;Files Gif (*.gif)"));
        // A cancelled choice changes nothing: the old picture stays.
        if (file.isEmpty())
            return;
        QString error;
        if (!m_core.SetPicture(file, &error))
            CMessageBox::Show(this, error, QStringLiteral("Categorie prodotti"), CMessageBox::Stop);
        ShowPicture();
        return;
    }
    }
}

void CCategorieView::RefreshLanguage()
{
    if (!m_currentLanguage || !m_defaultLanguage)
        return;
    Guard([this] { m_core.RefreshLanguage(m_currentLanguage(), m_defaultLanguage()); });
}
