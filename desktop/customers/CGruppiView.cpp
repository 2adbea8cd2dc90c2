#include "desktop/customers/CGruppiView.h"

#include "desktop/customers/CCollegamentiPage.h"
#include "desktop/shell/controls/CMessageBox.h"
#include "desktop/shell/controls/CValidatedEdit.h"
#include "platform/dao/CDaoException.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>

namespace {

const char* const kDiscountChars = "1234567890+,.";

CValidatedEdit* MakeEdit(QWidget* parent, quint8 kind, int width)
{
    auto* edit = new CValidatedEdit(parent);
    edit->SetParam(kind, width, 0, 0);
    if (kind == 0)
        edit->SetAllowedChr(QString::fromLatin1(kDiscountChars));
    return edit;
}

} // namespace

CGruppiView::CGruppiView(CDaoDatabase& db, QWidget* parent) : QWidget(parent), m_core(db)
{
    m_pNome = new CValidatedEdit(this);
    m_pNome->SetParam(0, 50, 0, 0);
    const std::pair<QStyle::StandardPixmap, const char*> looks[ButtonCount] = {
        {QStyle::SP_FileDialogNewFolder, "Aggiungi gruppo"},
        {QStyle::SP_DialogSaveButton, "Salva modifiche"},
        {QStyle::SP_TrashIcon, "Cancella gruppo"}};
    auto* buttons = new QHBoxLayout;
    for (int i = 0; i < ButtonCount; ++i) {
        m_buttons[i] = new QToolButton(this);
        m_buttons[i]->setIcon(style()->standardIcon(looks[i].first));
        m_buttons[i]->setIconSize(QSize(16, 16));
        m_buttons[i]->setToolTip(QString::fromUtf8(looks[i].second));
        buttons->addWidget(m_buttons[i]);
        connect(m_buttons[i], &QToolButton::clicked, this, [this, i] { OnButton(i); });
    }
    buttons->addStretch();
    m_pList = new QListWidget(this);

    auto* sconti = new QWidget(this);
    auto* scontiLayout = new QGridLayout(sconti);
    m_pListino = new QComboBox(sconti);
    m_pListino->addItems(CGruppiViewCore::ListinoTexts());
    scontiLayout->addWidget(new QLabel(QStringLiteral("Listino"), sconti), 0, 0);
    scontiLayout->addWidget(m_pListino, 0, 1);
    auto* predefinito = new QGroupBox(QStringLiteral("Sconto Predefinito"), sconti);
    m_pScontoPredefinito = MakeEdit(predefinito, 0, 20);
    (new QFormLayout(predefinito))->addRow(QStringLiteral("%"), m_pScontoPredefinito);
    auto* periodo = new QGroupBox(QStringLiteral("Sconto per Periodo"), sconti);
    auto* periodoLayout = new QFormLayout(periodo);
    m_pDal = MakeEdit(periodo, 5, 8);
    m_pAl = MakeEdit(periodo, 5, 8);
    m_pScontoPeriodo = MakeEdit(periodo, 0, 20);
    periodoLayout->addRow(QStringLiteral("Validità dal"), m_pDal);
    periodoLayout->addRow(QStringLiteral("Validità al"), m_pAl);
    periodoLayout->addRow(QStringLiteral("%"), m_pScontoPeriodo);
    scontiLayout->addWidget(predefinito, 1, 0, 1, 2);
    scontiLayout->addWidget(periodo, 2, 0, 1, 2);
    scontiLayout->setRowStretch(3, 1);

    m_pMembers = new CCollegamentiPage(this);
    m_pMembers->m_guard = [this](const std::function<void()>& move) { Guard(move); };
    m_pTabs = new QTabWidget(this);
    m_pTabs->addTab(sconti, QStringLiteral("  Sconti  "));
    m_pTabs->addTab(m_pMembers, QStringLiteral("  Utenti  "));

    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Gruppo"), this), 0, 0);
    layout->addWidget(m_pNome, 0, 1);
    layout->addLayout(buttons, 1, 1);
    layout->addWidget(m_pList, 2, 0, 1, 2);
    layout->addWidget(m_pTabs, 0, 2, 3, 1);
    layout->setColumnStretch(1, 1);
    layout->setColumnStretch(2, 2);

    connect(m_pList, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        Guard([&] { m_core.Select(item->data(Qt::UserRole).toInt()); });
    });
    connect(m_pTabs, &QTabWidget::currentChanged, this,
            [this](int tab) { Guard([&] { m_core.ShowMembers(tab == 1); }); });
    Push();
}

template <typename F>
void CGruppiView::Guard(F&& step)
{
    try {
        step();
    } catch (const CDaoException& error) {
        CMessageBox::Show(this, error.GetErrorMessage(), QStringLiteral("Archivio gruppi"), CMessageBox::Stop);
    }
    Push();
}

void CGruppiView::Pull()
{
    GruppoForm& f = m_core.Form();
    f.strNome = m_pNome->text();
    f.nListino = m_pListino->currentIndex();
    f.strValiditaDal = m_pDal->text();
    f.strValiditaAl = m_pAl->text();
    f.strScontoPredefinito = m_pScontoPredefinito->text();
    f.strScontoPeriodo = m_pScontoPeriodo->text();
}

void CGruppiView::Push()
{
    const GruppoForm& f = m_core.Form();
    m_pNome->setText(f.strNome);
    m_pListino->setCurrentIndex(f.nListino);
    m_pDal->setText(f.strValiditaDal);
    m_pAl->setText(f.strValiditaAl);
    m_pScontoPredefinito->setText(f.strScontoPredefinito);
    m_pScontoPeriodo->setText(f.strScontoPeriodo);
    {
        const QSignalBlocker block(m_pList);
        m_pList->clear();
        for (const CGruppiViewCore::Entry& entry : m_core.Groups()) {
            auto* item = new QListWidgetItem(entry.strNome, m_pList);
            item->setData(Qt::UserRole, entry.nID);
            if (entry.nID == m_core.Selected())
                item->setSelected(true);
        }
    }
    const CGruppiViewCore::Buttons state = m_core.GetButtons();
    m_buttons[AddButton]->setEnabled(state.bAdd);
    m_buttons[SaveButton]->setEnabled(state.bSave);
    m_buttons[DeleteButton]->setEnabled(state.bDelete);
    if (m_core.Members().GetMode() == CClientiCollegamenti::None)
        m_pMembers->Clear();
    else
        m_pMembers->Show(&m_core.Members());
    if (m_core.TakeNameFocus())
        m_pNome->setFocus();
}

void CGruppiView::OnButton(int button)
{
    Pull();
    Guard([&] {
        switch (button) {
        case AddButton: m_core.Add(); break;
        case SaveButton: m_core.Save(); break;
        case DeleteButton: m_core.Delete(); break;
        default: break;
        }
    });
}
