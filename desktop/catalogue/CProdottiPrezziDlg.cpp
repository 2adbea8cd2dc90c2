#include "desktop/catalogue/CProdottiPrezziDlg.h"

#include "desktop/catalogue/CProdottiViewCore.h"
#include "desktop/shell/controls/CValidatedEdit.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>

namespace {

CValidatedEdit* MakeEdit(QWidget* parent, quint8 kind, int width, int flag, int decimals)
{
    auto* edit = new CValidatedEdit(parent);
    edit->SetParam(kind, width, flag, decimals);
    return edit;
}

// A blank field is a null value; one that does not read keeps its text, so
// that a refused save shows it again as typed.
QVariant NumberOf(const CValidatedEdit* edit)
{
    if (edit->text().trimmed().isEmpty())
        return QVariant();
    if (!edit->Rules().Check(edit->text()).ok)
        return edit->text();
    double value = 0;
    edit->GetValue(value);
    return value;
}

void ShowNumber(CValidatedEdit* edit, const QVariant& value)
{
    if (value.isNull())
        edit->Blank();
    else if (value.typeId() == QMetaType::QString)
        edit->setText(value.toString());
    else
        edit->SetValue(value.toDouble());
}

QDateTime DateOf(const CValidatedEdit* edit)
{
    if (edit->text().trimmed().isEmpty())
        return QDateTime();
    QDateTime value;
    edit->GetValue(value);
    return value;
}

void ShowDate(CValidatedEdit* edit, const QDateTime& value)
{
    if (value.isNull())
        edit->Blank();
    else
        edit->SetValue(value);
}

} // namespace

CProdottiPrezziDlg::CProdottiPrezziDlg(QWidget* parent) : QWidget(parent)
{
    for (auto& price : m_pPrezzi)
        price = MakeEdit(this, 4, 10, 1, 6);
    m_pPrezzoPromozione = MakeEdit(this, 4, 10, 1, 6);
    m_pIva = MakeEdit(this, 2, 5, 1, 2);
    m_pPeso = MakeEdit(this, 2, 7, 0, 3);
    m_pUM = MakeEdit(this, 0, 10, 0, 0);
    m_pConfezioni = MakeEdit(this, 2, 7, 1, 2);
    m_pDisponibilita = MakeEdit(this, 2, 5, 1, 2);
    m_pSconto = MakeEdit(this, 2, 5, 0, 2);
    m_pValiditaDal = MakeEdit(this, 5, 8, 0, 0);
    m_pValiditaAl = MakeEdit(this, 5, 8, 0, 0);
    m_pOfferta = new QCheckBox(QStringLiteral("Offerta"), this);
    m_pPercentuale = new QRadioButton(QStringLiteral("% Sconto"), this);
    m_pPromozione = new QRadioButton(QStringLiteral("Prezzo Promozionale"), this);
    auto* kinds = new QButtonGroup(this);
    kinds->addButton(m_pPercentuale, ProdottoForm::Percentage);
    kinds->addButton(m_pPromozione, ProdottoForm::PromotionalPrice);

    auto* grid = new QGridLayout(this);
    for (int i = 0; i < 4; ++i) {
        grid->addWidget(new QLabel(QStringLiteral("Prezzo %1").arg(i + 1), this), i, 0);
        grid->addWidget(m_pPrezzi[i], i, 1);
    }
    const std::pair<const char*, CValidatedEdit*> right[] = {
        {"IVA", m_pIva}, {"Peso", m_pPeso}, {"U.M.", m_pUM}, {"Confez.", m_pConfezioni},
        {"Disponibilità", m_pDisponibilita}};
    for (int i = 0; i < 5; ++i) {
        grid->addWidget(new QLabel(QString::fromUtf8(right[i].first), this), i, 3);
        grid->addWidget(right[i].second, i, 4);
    }
    auto* offer = new QGroupBox(this);
    auto* offerGrid = new QGridLayout(offer);
    offerGrid->addWidget(m_pOfferta, 0, 0);
    offerGrid->addWidget(new QLabel(QString::fromUtf8("Validità dal"), offer), 0, 1);
    offerGrid->addWidget(m_pValiditaDal, 0, 2);
    offerGrid->addWidget(new QLabel(QString::fromUtf8("Validità al"), offer), 0, 3);
    offerGrid->addWidget(m_pValiditaAl, 0, 4);
    offerGrid->addWidget(m_pPercentuale, 1, 0);
    offerGrid->addWidget(m_pSconto, 1, 1, 1, 2);
    offerGrid->addWidget(m_pPromozione, 2, 0);
    offerGrid->addWidget(m_pPrezzoPromozione, 2, 1, 1, 2);
    grid->addWidget(offer, 5, 0, 1, 5);
    grid->setColumnMinimumWidth(2, 24);
    grid->setColumnStretch(5, 1);
    grid->setRowStretch(6, 1);

    connect(m_pOfferta, &QCheckBox::clicked, this, [this] { OnOfferta(); });
    connect(kinds, &QButtonGroup::idClicked, this, [this](int kind) { OnKind(kind); });
}

void CProdottiPrezziDlg::Pull(ProdottoForm& form) const
{
    for (int i = 0; i < 4; ++i)
        form.prezzi[i] = NumberOf(m_pPrezzi[i]);
    form.prezzoPromozione = NumberOf(m_pPrezzoPromozione);
    form.iva = NumberOf(m_pIva);
    form.peso = NumberOf(m_pPeso);
    m_pUM->GetValue(form.um);
    form.confezioni = NumberOf(m_pConfezioni);
    form.disponibilita = NumberOf(m_pDisponibilita);
    form.sconto = NumberOf(m_pSconto);
    form.validitaDal = DateOf(m_pValiditaDal);
    form.validitaAl = DateOf(m_pValiditaAl);
    form.offerta = int(m_pOfferta->checkState());
    form.tipoOfferta = m_pPercentuale->isChecked()   ? ProdottoForm::Percentage
                       : m_pPromozione->isChecked() ? ProdottoForm::PromotionalPrice
                                                    : ProdottoForm::NoOfferKind;
}

void CProdottiPrezziDlg::Push(const ProdottoForm& form)
{
    m_bPushing = true;
    for (int i = 0; i < 4; ++i)
        ShowNumber(m_pPrezzi[i], form.prezzi[i]);
    ShowNumber(m_pPrezzoPromozione, form.prezzoPromozione);
    ShowNumber(m_pIva, form.iva);
    ShowNumber(m_pPeso, form.peso);
    m_pUM->SetValue(form.um);
    ShowNumber(m_pConfezioni, form.confezioni);
    ShowNumber(m_pDisponibilita, form.disponibilita);
    ShowNumber(m_pSconto, form.sconto);
    ShowDate(m_pValiditaDal, form.validitaDal);
    ShowDate(m_pValiditaAl, form.validitaAl);
    m_pOfferta->setCheckState(Qt::CheckState(form.offerta));
    ShowOffer(form);
    m_bPushing = false;
}

void CProdottiPrezziDlg::ShowOffer(const ProdottoForm& form)
{
    const bool on = m_bEnabled && !m_bFilterMode && form.offerta == ProdottoForm::Checked;
    m_pPercentuale->setAutoExclusive(false);
    m_pPercentuale->setChecked(form.tipoOfferta == ProdottoForm::Percentage);
    m_pPromozione->setChecked(form.tipoOfferta == ProdottoForm::PromotionalPrice);
    m_pPercentuale->setAutoExclusive(true);
    for (QWidget* control : std::initializer_list<QWidget*>{m_pValiditaDal, m_pValiditaAl, m_pPercentuale, m_pPromozione})
        control->setEnabled(on);
    m_pSconto->setEnabled(on && form.tipoOfferta == ProdottoForm::Percentage);
    m_pPrezzoPromozione->setEnabled(on && form.tipoOfferta == ProdottoForm::PromotionalPrice);
}

// A new offer starts as a percentage.
void CProdottiPrezziDlg::OnOfferta()
{
    if (m_bFilterMode || m_bPushing)
        return;
    ProdottoForm form;
    Pull(form);
    CProdottiViewCore::EnableOffer(form, form.offerta == ProdottoForm::Checked, ProdottoForm::Percentage);
    Push(form);
}

void CProdottiPrezziDlg::OnKind(int kind)
{
    if (m_bPushing)
        return;
    ProdottoForm form;
    Pull(form);
    CProdottiViewCore::ChooseOfferKind(form, kind);
    Push(form);
}

void CProdottiPrezziDlg::SetFilterMode(bool on)
{
    m_bFilterMode = on;
    m_pOfferta->setTristate(on);
    for (QWidget* control : findChildren<CValidatedEdit*>())
        control->setEnabled(!on);
    ProdottoForm form;
    Pull(form);
    ShowOffer(form);
}

void CProdottiPrezziDlg::SetEditingEnabled(bool on)
{
    m_bEnabled = on;
    setEnabled(on);
    if (on)
        SetFilterMode(m_bFilterMode);
}

// A number pasted into a field, or a save started while it still has the
// focus, is checked here: never read as 0 and saved without a word.
bool CProdottiPrezziDlg::ValidateEntries()
{
    CValidatedEdit* const edits[] = {m_pPrezzi[0], m_pPrezzi[1], m_pPrezzi[2], m_pPrezzi[3], m_pPrezzoPromozione,
                                     m_pIva, m_pPeso, m_pConfezioni, m_pDisponibilita, m_pSconto,
                                     m_pValiditaDal, m_pValiditaAl};
    for (CValidatedEdit* edit : edits)
        if (edit->isEnabled() && !edit->ValidateEntry()) {
            edit->setFocus();
            return false;
        }
    return true;
}

QWidget* CProdottiPrezziDlg::Control(int id) const
{
    switch (id) {
    case CProdottiViewCore::CtlPrezzo: return m_pPrezzi[0];
    case CProdottiViewCore::CtlIva: return m_pIva;
    case CProdottiViewCore::CtlSconto: return m_pSconto;
    case CProdottiViewCore::CtlPrezzoPromozione: return m_pPrezzoPromozione;
    default: return nullptr;
    }
}
