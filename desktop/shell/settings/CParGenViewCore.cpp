#include "desktop/shell/settings/CParGenViewCore.h"

#include "desktop/shell/controls/CMessageBox.h"
#include "desktop/shell/controls/CValidatedEditRules.h"
#include "recordset/CConfigurazioneSet.h"
#include "recordset/CLingueSet.h"
#include "recordset/CValuteSet.h"

#include <algorithm>

namespace {

using F = ParGenForm;
using C = CConfigurazioneSet;

CParGenViewCore::IndexOrdering& Ordering()
{
    static CParGenViewCore::IndexOrdering ordering;
    return ordering;
}

// The Configurazione text column of each text edit (nullptr: a number).
QString C::*Column(F::Edit edit)
{
    switch (edit) {
    case F::CodiceUtente: return &C::m_CodiceUtente;
    case F::Password: return &C::m_Password;
    case F::URLSito: return &C::m_URLSito;
    case F::Banca: return &C::m_Banca;
    case F::ABI: return &C::m_ABI;
    case F::CAB: return &C::m_CAB;
    case F::CCBancario: return &C::m_CCBancario;
    case F::Intestatario: return &C::m_Intestatario;
    case F::CCPostale: return &C::m_CCPostale;
    case F::CodiceEsercente: return &C::m_CodiceEsercente;
    case F::TID: return &C::m_TID;
    case F::SerieFatturazione: return &C::m_SerieFatturazione;
    case F::ServerProxy: return &C::m_ServerProxy;
    case F::UserIDProxy: return &C::m_UserIDProxy;
    case F::PasswordProxy: return &C::m_PasswordProxy;
    default: return nullptr;
    }
}

// The six image sizes in the grid's row order.
qint32 C::*const kSizeColumns[6] = {&C::m_DimLogo, &C::m_DimCategorie, &C::m_DimSezioni,
                                    &C::m_DimThumbnail, &C::m_DimFoto, &C::m_DimColori};
// The order in which sizes are compared and checked.
const int kSizeOrder[6] = {1, 2, 5, 4, 0, 3};

CValidatedEditRules RulesOf(F::Edit edit)
{
    const CParGenViewCore::EditSpec& spec = CParGenViewCore::Spec(edit);
    CValidatedEditRules rules;
    rules.SetParam(spec.kind, spec.width, spec.flag, spec.decimals);
    return rules;
}

double Number(const F& form, F::Edit edit)
{
    return RulesOf(edit).ReadDouble(form.edits[edit]);
}

QString NumberText(F::Edit edit, double value)
{
    const CValidatedEditRules rules = RulesOf(edit);
    return rules.ToRaw(rules.TextOf(value));
}

const CValidatedEditRules& SizeRules()
{
    static const CValidatedEditRules rules = [] {
        CValidatedEditRules r;
        r.SetParam(1, 3, 0, 0);
        return r;
    }();
    return rules;
}

} // namespace

const QVector<CParGenViewCore::EditSpec>& CParGenViewCore::Edits()
{
    static const char* const kProxyChars = "abcdefghijklmnopqrstuvwxyz-_.1234567890";
    static const QVector<EditSpec> edits{
        {F::CodiceUtente, 0, 1036, "Codice utente", 0, 10, 0, 0, nullptr, false},
        {F::Password, 0, 1040, "Password", 0, 10, 0, 0, nullptr, true},
        {F::URLSito, 0, 1037, "URL sito", 0, 50, 0, 0, nullptr, false},
        {F::Banca, 2, 1050, "Banca", 0, 80, 0, 0, nullptr, false},
        {F::ABI, 2, 1051, "ABI", 1, 5, 0, 0, nullptr, false},
        {F::CAB, 2, 1011, "CAB", 1, 5, 0, 0, nullptr, false},
        {F::CCBancario, 2, 1012, "Conto corrente", 0, 15, 0, 0, nullptr, false},
        {F::Intestatario, 2, 1010, "Intestatario", 0, 80, 0, 0, nullptr, false},
        {F::CCPostale, 2, 1015, "Numero C/C", 0, 15, 0, 0, nullptr, false},
        {F::Percentuale, 2, 1013, "%", 4, 4, 1, 1, nullptr, false},
        {F::Importo, 2, 1017, "Importo", 4, 8, 1, 6, nullptr, false},
        {F::CodiceEsercente, 2, 1014, "Codice esercente", 0, 12, 0, 0, nullptr, false},
        {F::TID, 2, 1016, "TID", 0, 12, 0, 0, nullptr, false},
        {F::SerieFatturazione, 3, 1118, "Serie fatturazione", 0, 5, 0, 0, nullptr, false},
        {F::ServerProxy, 3, 1043, "Indirizzo", 0, 255, 0, 0, kProxyChars, false},
        {F::PortaHttp, 3, 1042, "Porta", 1, 5, 0, 0, nullptr, false},
        {F::UserIDProxy, 3, 1044, "Nome utente", 0, 20, 0, 0, nullptr, false},
        {F::PasswordProxy, 3, 1045, "Password", 0, 20, 0, 0, nullptr, true},
    };
    return edits;
}

const CParGenViewCore::EditSpec& CParGenViewCore::Spec(ParGenForm::Edit edit)
{
    return Edits().at(edit);
}

const QStringList& CParGenViewCore::SizeRows()
{
    static const QStringList rows{"Logo azienda",     "Icona categorie",    "Icona sezioni",
                                  "Indice prodotti", "Dettaglio prodotti", "Dettaglio colori"};
    return rows;
}

const QStringList& CParGenViewCore::OrderingItems()
{
    static const QStringList items{"Custom",           "Codice prodotto",   "Nome prodotto",
                                   "Descrizione fattura", "Descrizione breve", "Descrizione estesa"};
    return items;
}

void CParGenViewCore::SetIndexOrdering(IndexOrdering ordering)
{
    Ordering() = std::move(ordering);
}

CParGenViewCore::CParGenViewCore(CDaoDatabase& db) : m_db(db), m_pSet(std::make_unique<CConfigurazioneSet>(&db))
{
    m_pSet->Open();
    m_runIndexOrdering = [this](int mode) { return !Ordering() || Ordering()(m_db, mode); };
}

CParGenViewCore::~CParGenViewCore() = default;

QVector<CParGenViewCore::Choice> CParGenViewCore::Currencies()
{
    QVector<Choice> choices;
    CValuteSet currencies(&m_db);
    currencies.Open();
    for (; !currencies.IsEOF(); currencies.MoveNext())
        choices << Choice{currencies.m_Valuta, currencies.m_ID};
    std::stable_sort(choices.begin(), choices.end(), [](const Choice& a, const Choice& b) { return a.text < b.text; });
    return choices;
}

QVector<CParGenViewCore::Choice> CParGenViewCore::Languages()
{
    QVector<Choice> choices;
    CLingueSet languages(&m_db);
    languages.m_strFilter = QStringLiteral("Attivo=?");
    languages.m_filterParams = {true};
    languages.Open();
    for (; !languages.IsEOF(); languages.MoveNext())
        choices << Choice{languages.m_Descrizione, languages.m_ID};
    std::stable_sort(choices.begin(), choices.end(), [](const Choice& a, const Choice& b) { return a.text < b.text; });
    return choices;
}

ParGenForm CParGenViewCore::Load()
{
    ParGenForm form;
    if (m_pSet->IsEOF() || m_pSet->IsBOF())
        return form;
    const C& row = *m_pSet;
    for (int e = 0; e < F::EditCount; ++e)
        if (QString C::*column = Column(F::Edit(e)))
            form.edits[e] = row.*column;
    form.prezziIvaCompresa = row.m_FlagPrezziIvaCompresa;
    form.lingua = row.m_LinguaPredefinita;
    form.valuta = row.m_ValutaListino;
    form.bonifico = row.m_FlagBonifico;
    form.ccPostale = row.m_FlagCCPostale;
    form.contrassegno = row.m_FlagContrassegno;
    form.cartaCredito = row.m_FlagCartaCredito;
    form.tipoSpese = row.m_TipoSpeseContrassegno;
    if (form.tipoSpese == 0) {
        form.edits[F::Importo] = NumberText(F::Importo, row.m_SpeseContrassegno);
    } else {
        form.edits[F::Percentuale] = NumberText(F::Percentuale, row.m_SpeseContrassegno);
        form.edits[F::Importo] = NumberText(F::Importo, row.m_MinimoContrassegno);
    }
    form.edits[F::PortaHttp] = QString::number(row.m_PortaHttp);
    for (int r = 0; r < 6; ++r)
        form.sizes[r] = QString::number(row.*kSizeColumns[r]);
    form.ordinamento = row.m_TipoOrdinamento;
    return form;
}

// A list without a choice writes nothing, so it is no change either.
bool CParGenViewCore::IsRecordModified(const ParGenForm& form)
{
    const ParGenForm stored = Load();
    const bool empty = m_pSet->IsEOF() || m_pSet->IsBOF();
    for (int e = 0; e < F::EditCount; ++e)
        if (Column(F::Edit(e)) && form.edits[e] != stored.edits[e])
            return true;
    if (form.prezziIvaCompresa != stored.prezziIvaCompresa || (form.lingua >= 0 && form.lingua != stored.lingua)
        || (form.valuta >= 0 && form.valuta != stored.valuta) || form.bonifico != stored.bonifico
        || form.ccPostale != stored.ccPostale || form.contrassegno != stored.contrassegno
        || form.cartaCredito != stored.cartaCredito || form.tipoSpese != stored.tipoSpese)
        return true;
    const C& row = *m_pSet;
    const float spese = empty ? 0.0f : row.m_SpeseContrassegno;
    const double minimo = empty ? 0.0 : row.m_MinimoContrassegno;
    if (form.tipoSpese == 0) {
        if (float(Number(form, F::Importo)) != spese)
            return true;
    } else if (float(Number(form, F::Percentuale)) != spese || Number(form, F::Importo) != minimo) {
        return true;
    }
    for (int r : kSizeOrder)
        if (SizeRules().ReadInteger(form.sizes[r]) != (empty ? 0 : row.*kSizeColumns[r]))
            return true;
    if (RulesOf(F::PortaHttp).ReadInteger(form.edits[F::PortaHttp]) != (empty ? 0 : row.m_PortaHttp))
        return true;
    return form.ordinamento >= 0 && form.ordinamento != stored.ordinamento;
}

PaymentControls CParGenViewCore::ApplyPaymentRules(ParGenForm& form)
{
    PaymentControls open;
    auto blankUnless = [&form](bool on, std::initializer_list<F::Edit> edits) {
        if (!on)
            for (F::Edit edit : edits)
                form.edits[edit].clear();
        return on;
    };
    open.bonifico = blankUnless(form.bonifico, {F::Banca, F::ABI, F::CAB, F::CCBancario});
    open.ccPostale = blankUnless(form.ccPostale, {F::Intestatario, F::CCPostale});
    open.cartaCredito = blankUnless(form.cartaCredito, {F::CodiceEsercente, F::TID});
    if (form.contrassegno) {
        open.radios = open.importo = true;
        open.percentuale = form.tipoSpese == 1;
        if (open.percentuale)
            open.importoLabel = QStringLiteral("Minimo");
        else
            form.edits[F::Percentuale].clear();
    } else {
        form.tipoSpese = -1;
        form.edits[F::Percentuale].clear();
        form.edits[F::Importo].clear();
    }
    return open;
}

PaymentControls CParGenViewCore::SwitchCashOnDelivery(ParGenForm& form, bool on)
{
    form.contrassegno = on;
    if (on)
        form.tipoSpese = 0;
    return ApplyPaymentRules(form);
}

PaymentControls CParGenViewCore::ChooseCashKind(ParGenForm& form, int kind)
{
    form.tipoSpese = kind;
    form.edits[F::Percentuale].clear();
    form.edits[F::Importo].clear();
    return ApplyPaymentRules(form);
}

bool CParGenViewCore::ValidateFields(const ParGenForm& form, Failure* failure) const
{
    QVector<F::Edit> required;
    if (form.bonifico)
        required << F::Banca << F::ABI << F::CAB << F::CCBancario;
    if (form.ccPostale)
        required << F::Intestatario << F::CCPostale;
    if (form.contrassegno)
        required << (form.tipoSpese != 0 ? F::Percentuale : F::Importo);
    if (form.cartaCredito)
        required << F::CodiceEsercente << F::TID;
    for (F::Edit edit : required)
        if (form.edits[edit].isEmpty()) {
            *failure = Failure{2, edit, -1};
            return false;
        }
    for (int r : kSizeOrder)
        if (form.sizes[r].isEmpty()) {
            *failure = Failure{3, -1, r};
            return false;
        }
    return true;
}

bool CParGenViewCore::SaveRecord(const ParGenForm& form, Failure* failure,
                                 const std::function<void(int page)>& showPage)
{
    Failure where;
    if (!ValidateFields(form, &where)) {
        if (showPage)
            showPage(where.page);
        CMessageBox::Show(nullptr, QStringLiteral("Campo obbligatorio!"), QStringLiteral("Validazione campi"),
                          CMessageBox::Stop);
        if (failure)
            *failure = where;
        return false;
    }
    if (m_pSet->IsBOF() || m_pSet->IsEOF())
        m_pSet->AddNew();
    else
        m_pSet->Edit();
    WriteRow(form);
    // The ordering runs while the row is being edited, before its Update.
    // A mode whose keys were not rewritten is not stored: the index would
    // claim an order its keys do not have, and the next save tries again.
    if (form.ordinamento >= 0 && form.ordinamento != m_pSet->m_TipoOrdinamento
        && m_runIndexOrdering(form.ordinamento))
        m_pSet->m_TipoOrdinamento = quint8(form.ordinamento);
    m_pSet->m_Modificato = true;
    m_pSet->Update();
    if (m_pSet->IsEOF())
        m_pSet->Requery();
    return true;
}

void CParGenViewCore::WriteRow(const ParGenForm& form)
{
    C& row = *m_pSet;
    row.m_ID = 1;
    for (int e = 0; e < F::EditCount; ++e)
        if (QString C::*column = Column(F::Edit(e)))
            row.*column = form.edits[e];
    row.m_FlagPrezziIvaCompresa = form.prezziIvaCompresa;
    if (form.lingua >= 0)
        row.m_LinguaPredefinita = form.lingua;
    if (form.valuta >= 0)
        row.m_ValutaListino = form.valuta;
    row.m_FlagBonifico = form.bonifico;
    row.m_FlagCCPostale = form.ccPostale;
    row.m_FlagContrassegno = form.contrassegno;
    row.m_FlagCartaCredito = form.cartaCredito;
    row.m_TipoSpeseContrassegno = form.tipoSpese;
    if (form.tipoSpese != 0) {
        row.m_SpeseContrassegno = float(Number(form, F::Percentuale));
        row.m_MinimoContrassegno = Number(form, F::Importo);
    } else {
        row.m_SpeseContrassegno = float(Number(form, F::Importo));
    }
    for (int r = 0; r < 6; ++r)
        row.*kSizeColumns[r] = qint32(SizeRules().ReadInteger(form.sizes[r]));
    row.m_PortaHttp = qint32(RulesOf(F::PortaHttp).ReadInteger(form.edits[F::PortaHttp]));
}
