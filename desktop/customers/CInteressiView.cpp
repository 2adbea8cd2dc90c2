#include "desktop/customers/CInteressiView.h"

#include "desktop/shell/controls/CMessageBox.h"
#include "desktop/shell/controls/CValidatedEdit.h"
#include "platform/dao/CDaoException.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QStyle>
#include <QToolButton>

CInteressiView::CInteressiView(CDaoDatabase& db, const QString& currentLanguage, const QString& defaultLanguage,
                               QWidget* parent)
    : QWidget(parent), m_core(db, currentLanguage, defaultLanguage)
{
    m_pNome = new CValidatedEdit(this);
    m_pNome->SetParam(0, 50, 0, 0);
    m_pDescrizione = new QPlainTextEdit(this);
    m_pList = new QListWidget(this);
    const std::pair<QStyle::StandardPixmap, const char*> looks[ButtonCount] = {
        {QStyle::SP_FileDialogNewFolder, "Nuovo interesse"}, {QStyle::SP_DialogSaveButton, "Salva interesse"},
        {QStyle::SP_BrowserReload, "Annulla modifiche"},      {QStyle::SP_TrashIcon, "Cancella interesse"},
        {QStyle::SP_ArrowUp, "Sposta su"},                    {QStyle::SP_ArrowDown, "Sposta giù"}};
    auto* buttons = new QHBoxLayout;
    for (int i = 0; i < ButtonCount; ++i) {
        m_buttons[i] = new QToolButton(this);
        m_buttons[i]->setIcon(style()->standardIcon(looks[i].first));
        m_buttons[i]->setToolTip(QString::fromUtf8(looks[i].second));
        buttons->addWidget(m_buttons[i]);
        connect(m_buttons[i], &QToolButton::clicked, this, [this, i] { OnButton(i); });
    }
    buttons->addStretch();

    auto* layout = new QGridLayout(this);
    layout->addWidget(m_pList, 0, 0, 4, 1);
    layout->addWidget(new QLabel(QStringLiteral("Nome"), this), 0, 1);
    layout->addWidget(m_pNome, 0, 2);
    layout->addWidget(new QLabel(QStringLiteral("Descrizione"), this), 1, 1, Qt::AlignTop);
    layout->addWidget(m_pDescrizione, 1, 2);
    layout->addLayout(buttons, 2, 2);
    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(2, 2);

    connect(m_pList, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0) {
            m_core.Select(row);
            Push();
        }
    });
    Push();
}

void CInteressiView::OnButton(int button)
{
    m_core.Nome() = m_pNome->text();
    m_core.Descrizione() = m_pDescrizione->toPlainText();
    try {
        switch (button) {
        case NewButton: m_core.New(); break;
        case SaveButton: m_core.Save(); break;
        case RevertButton: m_core.Revert(); break;
        case DeleteButton: m_core.Delete(); break;
        case UpButton: m_core.MoveUp(); break;
        case DownButton: m_core.MoveDown(); break;
        default: break;
        }
    } catch (const CDaoException& error) {
        CMessageBox::Show(this, error.GetErrorMessage(), QStringLiteral("Interessi Utenti"), CMessageBox::Stop);
    }
    Push();
}

void CInteressiView::Push()
{
    {
        const QSignalBlocker block(m_pList);
        m_pList->clear();
        for (const CInteressiViewCore::Entry& entry : m_core.Entries())
            m_pList->addItem(entry.strNome);
        m_pList->setCurrentRow(m_core.SelectedIndex());
        if (m_core.SelectedIndex() < 0)
            m_pList->clearSelection();
    }
    m_pNome->setText(m_core.Nome());
    m_pDescrizione->setPlainText(m_core.Descrizione());
    const CInteressiViewCore::Buttons state = m_core.GetButtons();
    m_buttons[NewButton]->setEnabled(state.bNew);
    for (Button b : {SaveButton, RevertButton, DeleteButton})
        m_buttons[b]->setEnabled(state.bEdit);
    m_buttons[UpButton]->setEnabled(state.bUp);
    m_buttons[DownButton]->setEnabled(state.bDown);
    if (m_core.TakeNameFocus())
        m_pNome->setFocus();
}

void CInteressiView::RefreshLanguage()
{
    if (!m_currentLanguage || !m_defaultLanguage)
        return;
    m_core.RefreshLanguage(m_currentLanguage(), m_defaultLanguage());
    Push();
}
