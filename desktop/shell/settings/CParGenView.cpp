#include "desktop/shell/settings/CParGenView.h"

#include "desktop/shell/controls/CGridCtrl.h"
#include "desktop/shell/controls/CValidatedEdit.h"
#include "desktop/shell/settings/CParGenOptionsCore.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <utility>

namespace {
using F = ParGenForm;
enum SwitchIndex { SwIva, SwBonifico, SwPostale, SwContrassegno, SwCarta };
const int kSwitchIds[] = {1075, 1046, 1047, 1048, 1049};
const int kOptionButtonIds[] = {1064, 1066, 1065};

void SelectById(QComboBox* combo, qint32 id)
{
    const int index = combo->findData(id);
    if (index >= 0)
        combo->setCurrentIndex(index);
}

qint32 SelectedId(const QComboBox* combo)
{
    return combo->currentIndex() >= 0 ? combo->currentData().toInt() : -1;
}
}

CParGenView::CParGenView(CDaoDatabase& db, QWidget* parent)
    : QWidget(parent), m_core(std::make_unique<CParGenViewCore>(db)), m_options(std::make_unique<CParGenOptionsCore>(db))
{
    m_edits.resize(F::EditCount);
    m_pTabs = new QTabWidget(this);
    m_pTabs->addTab(MakeUserPage(), QStringLiteral("  Dati utente  "));
    m_pTabs->addTab(MakeOptionsPage(), QStringLiteral("  Funzionalità  "));
    m_pTabs->addTab(MakePaymentPage(), QStringLiteral("  Modalità di pagamento  "));
    m_pTabs->addTab(MakeTechnicalPage(), QStringLiteral("  Parametri tecnici  "));
    // A form as large as its fields need, not as the frame is.
    m_pTabs->setMinimumSize(720, 460);
    m_pTabs->setMaximumSize(820, 560);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pTabs, 0, Qt::AlignLeft | Qt::AlignTop);
    Push(m_core->Load());
}

CParGenView::~CParGenView() = default;

CValidatedEdit* CParGenView::MakeEdit(F::Edit edit, QWidget* parent)
{
    const CParGenViewCore::EditSpec& spec = CParGenViewCore::Spec(edit);
    auto* field = new CValidatedEdit(parent);
    field->SetParam(spec.kind, spec.width, spec.flag, spec.decimals);
    if (spec.allowed)
        field->SetAllowedChr(QString::fromLatin1(spec.allowed));
    if (spec.password)
        field->setEchoMode(QLineEdit::Password);
    m_edits[edit] = field;
    return field;
}

QWidget* CParGenView::MakeUserPage()
{
    auto* page = new QWidget;
    auto* form = new QFormLayout(page);
    for (F::Edit edit : {F::CodiceUtente, F::Password, F::URLSito})
        form->addRow(QString::fromUtf8(CParGenViewCore::Spec(edit).label), MakeEdit(edit, page));
    return page;
}

QWidget* CParGenView::MakeOptionsPage()
{
    auto* page = new QWidget;
    auto* layout = new QGridLayout(page);
    m_pOptionList = new QListWidget(page);
    layout->addWidget(m_pOptionList, 0, 0, 4, 1);
    m_pOptionCode = new CValidatedEdit(page);
    m_pOptionCode->SetParam(0, 20, 0, 0);
    m_pOptionCode->SetAllowedChr(QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWYXZ1234567890"));
    m_pOptionText = new CValidatedEdit(page);
    m_pOptionText->SetParam(0, 255, 0, 0);
    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("Codice"), m_pOptionCode);
    fields->addRow(QStringLiteral("Descrizione"), m_pOptionText);
    layout->addLayout(fields, 0, 1);
    auto* buttons = new QHBoxLayout;
    const QStyle::StandardPixmap icons[] = {QStyle::SP_FileDialogNewFolder, QStyle::SP_DialogSaveButton,
                                            QStyle::SP_TrashIcon};
    const char* tips[] = {"Aggiungi", "Modifica", "Cancella"};
    for (int i = 0; i < 3; ++i) {
        auto* button = new QToolButton(page);
        button->setIcon(style()->standardIcon(icons[i]));
        button->setIconSize(QSize(16, 16));
        button->setToolTip(QString::fromLatin1(tips[i]));
        buttons->addWidget(button);
        m_optionButtons << button;
    }
    buttons->addStretch();
    layout->addLayout(buttons, 1, 1);
    connect(m_optionButtons[0], &QToolButton::clicked, this, [this] {
        if (m_options->Add(m_pOptionCode->text(), m_pOptionText->text()))
            FillOptions();
        else
            m_pOptionCode->setFocus();
        ShowOptionState();
    });
    connect(m_optionButtons[1], &QToolButton::clicked, this, [this] {
        if (m_options->Modify(m_pOptionList->currentRow(), m_pOptionCode->text(), m_pOptionText->text()))
            FillOptions();
        else
            m_pOptionCode->setFocus();
        ShowOptionState();
    });
    connect(m_optionButtons[2], &QToolButton::clicked, this, [this] {
        m_options->Delete(m_pOptionList->currentRow());
        FillOptions();
        ShowOptionState();
    });
    // A click on the check box changes the check and then reports the
    // click; only the change counts then.
    connect(m_pOptionList, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        if (m_bFilling)
            return;
        OnOptionChanged(item);
        m_bCheckChanged = true;
    });
    connect(m_pOptionList, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        if (!std::exchange(m_bCheckChanged, false))
            OnOptionChanged(item);
    });

    auto* lists = new QFormLayout;
    m_pCurrencies = new QComboBox(page);
    for (const CParGenViewCore::Choice& choice : m_core->Currencies())
        m_pCurrencies->addItem(choice.text, choice.id);
    m_pLanguages = new QComboBox(page);
    for (const CParGenViewCore::Choice& choice : m_core->Languages())
        m_pLanguages->addItem(choice.text, choice.id);
    m_pCurrencies->setCurrentIndex(-1);
    m_pLanguages->setCurrentIndex(-1);
    lists->addRow(QStringLiteral("Valuta listino"), m_pCurrencies);
    lists->addRow(QStringLiteral("Lingua predefinita"), m_pLanguages);
    layout->addLayout(lists, 2, 1);
    m_switches.resize(5);
    m_switches[SwIva] = new QCheckBox(QStringLiteral("Mostra sul sito i prezzi IVA compresa"), page);
    layout->addWidget(m_switches[SwIva], 3, 1);
    FillOptions();
    ShowOptionState();
    return page;
}

QWidget* CParGenView::MakePaymentPage()
{
    auto* page = new QWidget;
    auto* layout = new QGridLayout(page);
    auto group = [this, page](SwitchIndex sw, const char* title, std::initializer_list<F::Edit> edits) {
        auto* box = new QGroupBox(page);
        auto* form = new QFormLayout(box);
        m_switches[sw] = new QCheckBox(QString::fromUtf8(title), box);
        form->addRow(m_switches[sw]);
        for (F::Edit edit : edits)
            form->addRow(QString::fromUtf8(CParGenViewCore::Spec(edit).label), MakeEdit(edit, box));
        connect(m_switches[sw], &QCheckBox::clicked, this,
                [this, sw](bool on) { OnPaymentSwitch(kSwitchIds[sw], on); });
        return box;
    };
    layout->addWidget(group(SwBonifico, "Bonifico bancario", {F::Banca, F::ABI, F::CAB, F::CCBancario}), 0, 0);
    layout->addWidget(group(SwPostale, "Conto corrente postale", {F::Intestatario, F::CCPostale}), 0, 1);
    QGroupBox* cash = group(SwContrassegno, "Contrassegno", {});
    auto* cashForm = static_cast<QFormLayout*>(cash->layout());
    m_pCashKind = new QButtonGroup(cash);
    auto* fixed = new QRadioButton(QStringLiteral("Fisso"), cash);
    auto* percent = new QRadioButton(QStringLiteral("Percentuale"), cash);
    m_pCashKind->addButton(fixed, 0);
    m_pCashKind->addButton(percent, 1);
    m_pCashKind->setExclusive(false);   // "no kind" must be showable
    auto* radios = new QHBoxLayout;
    radios->addWidget(fixed);
    radios->addWidget(percent);
    cashForm->addRow(radios);
    cashForm->addRow(QStringLiteral("%"), MakeEdit(F::Percentuale, cash));
    m_pImportoLabel = new QLabel(QStringLiteral("Importo"), cash);
    cashForm->addRow(m_pImportoLabel, MakeEdit(F::Importo, cash));
    connect(m_pCashKind, &QButtonGroup::idClicked, this, &CParGenView::OnCashKind);
    layout->addWidget(cash, 1, 0);
    layout->addWidget(group(SwCarta, "Carta di credito (Banca Sella)", {F::CodiceEsercente, F::TID}), 1, 1);
    layout->setRowStretch(2, 1);
    return page;
}

QWidget* CParGenView::MakeTechnicalPage()
{
    auto* page = new QWidget;
    auto* layout = new QGridLayout(page);
    auto* sizes = new QGroupBox(QStringLiteral("Dimensione immagini"), page);
    m_pSizes = new CGridCtrl(sizes);
    m_pSizes->SetColumnCount(2);
    m_pSizes->SetColumn(0, 110, GridCell::TextKind);
    m_pSizes->SetColumn(1, 51, GridCell::Edit);
    for (int row = 0; row < CParGenViewCore::SizeRows().size(); ++row) {
        m_pSizes->AddRow(CParGenViewCore::SizeRows().at(row) + QStringLiteral("\t\t"));
        m_pSizes->SetCellFormat(row, 1, 1, 3, 0);
    }
    const QRect cells = m_pSizes->CellRect(5, 1);
    // The grid keeps its vertical bar; it is made as large as its cells.
    m_pSizes->setFixedSize(cells.right() + 2 * m_pSizes->frameWidth() + m_pSizes->verticalScrollBar()->sizeHint().width() + 2,
                           cells.bottom() + 2 * m_pSizes->frameWidth() + 4);
    (new QVBoxLayout(sizes))->addWidget(m_pSizes);
    layout->addWidget(sizes, 0, 0, 2, 1);

    auto* billing = new QGroupBox(QStringLiteral("Serie fatturazione"), page);
    (new QVBoxLayout(billing))->addWidget(MakeEdit(F::SerieFatturazione, billing));
    layout->addWidget(billing, 0, 1);
    auto* ordering = new QGroupBox(QStringLiteral("Ordinamento indice prodotti"), page);
    m_pOrdering = new QComboBox(ordering);
    m_pOrdering->addItems(CParGenViewCore::OrderingItems());
    m_pOrdering->setCurrentIndex(-1);
    auto* orderingForm = new QFormLayout(ordering);
    orderingForm->addRow(QStringLiteral("Tipo"), m_pOrdering);
    layout->addWidget(ordering, 1, 1);

    auto* proxy = new QGroupBox(QStringLiteral("Server Proxy"), page);
    auto* proxyForm = new QFormLayout(proxy);
    for (F::Edit edit : {F::ServerProxy, F::PortaHttp, F::UserIDProxy, F::PasswordProxy})
        proxyForm->addRow(QString::fromUtf8(CParGenViewCore::Spec(edit).label), MakeEdit(edit, proxy));
    layout->addWidget(proxy, 2, 0, 1, 2);
    layout->setRowStretch(3, 1);
    return page;
}

// ---- the form -------------------------------------------------------------------------

ParGenForm CParGenView::Pull() const
{
    ParGenForm form;
    for (int e = 0; e < F::EditCount; ++e)
        m_edits.at(e)->GetValue(form.edits[e]);
    form.prezziIvaCompresa = m_switches[SwIva]->isChecked();
    form.bonifico = m_switches[SwBonifico]->isChecked();
    form.ccPostale = m_switches[SwPostale]->isChecked();
    form.contrassegno = m_switches[SwContrassegno]->isChecked();
    form.cartaCredito = m_switches[SwCarta]->isChecked();
    form.lingua = SelectedId(m_pLanguages);
    form.valuta = SelectedId(m_pCurrencies);
    form.tipoSpese = m_pCashKind->checkedId();
    for (int row = 0; row < 6; ++row)
        form.sizes[row] = m_pSizes->GetCellText(row, 1);
    form.ordinamento = m_pOrdering->currentIndex();
    return form;
}

void CParGenView::Push(const ParGenForm& loaded)
{
    // Closed payment fields show blank, as the switches leave them.
    ParGenForm form = loaded;
    const PaymentControls open = CParGenViewCore::ApplyPaymentRules(form);
    for (int e = 0; e < F::EditCount; ++e)
        m_edits.at(e)->SetValue(form.edits[e]);
    m_switches[SwIva]->setChecked(form.prezziIvaCompresa);
    m_switches[SwBonifico]->setChecked(form.bonifico);
    m_switches[SwPostale]->setChecked(form.ccPostale);
    m_switches[SwContrassegno]->setChecked(form.contrassegno);
    m_switches[SwCarta]->setChecked(form.cartaCredito);
    SelectById(m_pLanguages, form.lingua);
    SelectById(m_pCurrencies, form.valuta);
    for (QAbstractButton* button : m_pCashKind->buttons())
        button->setChecked(m_pCashKind->id(button) == form.tipoSpese);
    for (int row = 0; row < 6; ++row)
        m_pSizes->SetCellText(row, 1, form.sizes.value(row));
    if (form.ordinamento >= 0 && form.ordinamento < m_pOrdering->count())
        m_pOrdering->setCurrentIndex(form.ordinamento);
    ShowPayment(open);
}

void CParGenView::ShowPayment(const PaymentControls& open)
{
    for (F::Edit edit : {F::Banca, F::ABI, F::CAB, F::CCBancario})
        m_edits[edit]->setEnabled(open.bonifico);
    for (F::Edit edit : {F::Intestatario, F::CCPostale})
        m_edits[edit]->setEnabled(open.ccPostale);
    for (F::Edit edit : {F::CodiceEsercente, F::TID})
        m_edits[edit]->setEnabled(open.cartaCredito);
    for (QAbstractButton* button : m_pCashKind->buttons())
        button->setEnabled(open.radios);
    m_edits[F::Importo]->setEnabled(open.importo);
    m_edits[F::Percentuale]->setEnabled(open.percentuale);
    m_pImportoLabel->setText(open.importoLabel);
}

void CParGenView::OnPaymentSwitch(int id, bool on)
{
    ParGenForm form = Pull();
    const PaymentControls open = id == 1048 ? CParGenViewCore::SwitchCashOnDelivery(form, on)
                                            : CParGenViewCore::ApplyPaymentRules(form);
    Push(form);
    ShowPayment(open);
    if (id == 1048 && on)
        m_edits[F::Importo]->setFocus();
}

void CParGenView::OnCashKind(int kind)
{
    ParGenForm form = Pull();
    form.tipoSpese = kind;
    const PaymentControls open = CParGenViewCore::ChooseCashKind(form, kind);
    Push(form);
    ShowPayment(open);
    m_edits[kind == 1 ? F::Percentuale : F::Importo]->setFocus();
}

// ---- options ----------------------------------------------------------------------------

void CParGenView::FillOptions()
{
    m_bFilling = true;
    m_pOptionList->clear();
    for (const CParGenOptionsCore::Option& option : m_options->Options()) {
        auto* item = new QListWidgetItem(option.text, m_pOptionList);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(option.checked ? Qt::Checked : Qt::Unchecked);
    }
    m_pOptionList->setCurrentRow(-1);
    m_bFilling = false;
}

void CParGenView::OnOptionChanged(QListWidgetItem* item)
{
    if (m_bFilling || !item)
        return;
    m_bFilling = true;
    m_pOptionList->setCurrentItem(item);
    m_bFilling = false;
    m_options->Select(m_pOptionList->row(item), item->checkState() == Qt::Checked);
    ShowOptionState();
}

void CParGenView::ShowOptionState()
{
    const CParGenOptionsCore::State& state = m_options->GetState();
    m_pOptionCode->SetValue(state.codice);
    m_pOptionText->SetValue(state.descrizione);
    m_optionButtons[0]->setEnabled(!state.editing);
    m_optionButtons[1]->setEnabled(state.editing);
    m_optionButtons[2]->setEnabled(state.editing);
    if (!state.editing) {
        m_bFilling = true;
        m_pOptionList->setCurrentRow(-1);
        m_bFilling = false;
    }
}

// ---- pages, saving ---------------------------------------------------------------------------

void CParGenView::ShowPage(int page)
{
    if (page != m_pTabs->currentIndex())
        m_pTabs->setCurrentIndex(page);
}

int CParGenView::CurrentPage() const
{
    return m_pTabs->currentIndex();
}

QCheckBox* CParGenView::Switch(int id) const
{
    for (int i = 0; i < 5; ++i)
        if (kSwitchIds[i] == id)
            return m_switches.at(i);
    return nullptr;
}

QRadioButton* CParGenView::CashKind(int kind) const
{
    return static_cast<QRadioButton*>(m_pCashKind->button(kind));
}

QToolButton* CParGenView::OptionButton(int id) const
{
    for (int i = 0; i < 3; ++i)
        if (kOptionButtonIds[i] == id)
            return m_optionButtons.at(i);
    return nullptr;
}

bool CParGenView::IsRecordModified()
{
    return m_core->IsRecordModified(Pull());
}

bool CParGenView::SaveRecord()
{
    CParGenViewCore::Failure failure;
    if (m_core->SaveRecord(Pull(), &failure, [this](int page) { ShowPage(page); }))
        return true;
    FocusFailure(failure);
    return false;
}

void CParGenView::FocusFailure(const CParGenViewCore::Failure& failure)
{
    if (failure.edit >= 0)
        m_edits[failure.edit]->setFocus();
    else if (failure.sizeRow >= 0)
        m_pSizes->SetCurCell(failure.sizeRow, 1);
}
