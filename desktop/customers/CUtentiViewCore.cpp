#include "desktop/customers/CUtentiViewCore.h"

#include "desktop/shell/app/TindaCommandIds.h"
#include "desktop/shell/controls/CMessageBox.h"
#include "desktop/shell/controls/CValidatedEditRules.h"
#include "platform/dao/CDaoTransaction.h"
#include "platform/password/CPasswordHash.h"
#include "recordset/CClientiSet.h"
#include "recordset/CLingueSet.h"
#include "recordset/CPermessiSet.h"

#include <QRandomGenerator>

namespace {

const QString kValidazione = QStringLiteral("Validazione campi");
const QString kCancellazione = QStringLiteral("Cancellazione utenti");

CValidatedEditRules Rules(quint8 kind, int width, int flag, int decimals)
{
    CValidatedEditRules rules;
    rules.SetParam(kind, width, flag, decimals);
    return rules;
}

// "Validità dal", "Validità al": dates; "Fido", "Fido residuo": numbers.
const CValidatedEditRules& DateRules()
{
    static const CValidatedEditRules rules = Rules(5, 8, 0, 0);
    return rules;
}

const CValidatedEditRules& FidoRules()
{
    static const CValidatedEditRules rules = Rules(4, 12, 1, 6);
    return rules;
}

QString DateText(CClientiSet& row, const char* column)
{
    const QString name = QString::fromLatin1(column);
    return row.IsFieldNull(name) ? QString() : DateRules().TextOf(row.GetFieldValue(name).toDateTime());
}

QString NumberText(CClientiSet& row, const char* column)
{
    const QString name = QString::fromLatin1(column);
    return row.IsFieldNull(name) ? QString() : FidoRules().TextOf(row.GetFieldValue(name).toDouble());
}

QString TextOf(CClientiSet& row, const char* column)
{
    return row.GetFieldValue(QString::fromLatin1(column)).toString();
}

bool IsYes(const QString& text, const QString& caption, CMessageBox::Icon icon)
{
    return CMessageBox::Show(nullptr, text, caption, icon, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

} // namespace

const QStringList& CUtentiViewCore::TipoTexts()
{
    static const QStringList texts = {QStringLiteral("B2B"), QStringLiteral("B2C"), QStringLiteral("Mailing"),
                                      QStringLiteral("Agente"), QStringLiteral("Destinatario")};
    return texts;
}

const QStringList& CUtentiViewCore::ListinoTexts()
{
    static const QStringList texts = {QStringLiteral("Listino gruppo"), QStringLiteral("Prezzo 1"),
                                      QStringLiteral("Prezzo 2"), QStringLiteral("Prezzo 3"),
                                      QStringLiteral("Prezzo 4")};
    return texts;
}

const QList<CUtentiViewCore::Field>& CUtentiViewCore::GeneraleFields()
{
    static const QList<Field> fields = {
        {"Indirizzo", "Indirizzo", 80}, {"Cap", "C.A.P.", 20},          {"Localita", "Località", 80},
        {"Provincia", "Prov.", 20},     {"Stato", "Stato", 30},          {"Telefono", "Telefono", 20},
        {"Fax", "Fax", 20},             {"Cellulare", "Cellulare", 20}, {"CFPI", "Cod. Fis. / Partita IVA", 16},
        {"Email", "Email", 80},         {"Web", "Web", 80},
    };
    return fields;
}

CUtentiViewCore::CUtentiViewCore(CDaoDatabase& db, const QString& currentLanguage, const QString& defaultLanguage)
    : m_db(db), m_relazioni(db),
      m_interessi(db, currentLanguage, defaultLanguage)
{
    CLingueSet languages(&db);
    languages.m_strFilter = QStringLiteral("Attivo=TRUE");
    languages.Open();
    for (; !languages.IsEOF(); languages.MoveNext()) {
        m_lingue.append({languages.m_ID, languages.m_Descrizione});
        m_codici.append({languages.m_ID, languages.m_Codice});
    }
    m_nDefaultLanguageId = LanguageId(defaultLanguage);
    OpenCustomers();
    DisplayRecord();
}

CUtentiViewCore::~CUtentiViewCore() = default;

void CUtentiViewCore::OpenCustomers()
{
    m_pClienti = std::make_unique<CClientiSet>(&m_db);
    m_pClienti->m_strSort = QStringLiteral("RagioneSociale,Cognome");
    m_pClienti->Open();
}

CUtentiViewCore::Focus CUtentiViewCore::TakeFocus()
{
    const Focus focus = m_focus;
    m_focus = FocusNone;
    return focus;
}

bool CUtentiViewCore::IsEmpty() const
{
    return m_pClienti->IsEOF() && m_pClienti->IsBOF();
}

bool CUtentiViewCore::IsFirst() const
{
    return IsEmpty() || m_pClienti->GetAbsolutePosition() <= 0;
}

bool CUtentiViewCore::IsLast() const
{
    if (IsEmpty())
        return true;
    CClientiSet& rows = *m_pClienti;
    rows.MoveNext();
    const bool last = rows.IsEOF();
    if (last)
        rows.MoveLast();
    else
        rows.MovePrev();
    return last;
}

bool CUtentiViewCore::IsCommandEnabled(int id) const
{
    const bool entering = m_nFilter == FilterEntering;
    switch (id) {
    case ID_RECORD_FIRST: return (!m_bInserting && !IsFirst()) || entering;
    case ID_RECORD_PREV: return !m_bInserting && !IsFirst() && !entering;
    case ID_RECORD_NEXT:
    case ID_RECORD_LAST: return !m_bInserting && !IsLast() && !entering;
    case ID_RECORD_INSERT: return m_nFilter == FilterNone;
    case ID_RECORD_SAVE: return m_bInserting;
    case ID_RECORD_DELETE: return !m_bInserting && !entering && !IsEmpty();
    case ID_RECORD_FILTER: return !m_bInserting;
    default: return false;
    }
}

bool CUtentiViewCore::IsCommandChecked(int id) const
{
    if (id == ID_RECORD_INSERT)
        return m_bInserting;
    if (id == ID_RECORD_FILTER)
        return m_nFilter != FilterNone;
    return false;
}

void CUtentiViewCore::OnCommand(int id)
{
    if (!IsCommandEnabled(id))
        return;
    switch (id) {
    case ID_RECORD_FIRST:
        if (m_nFilter == FilterEntering)
            ApplyFilter();
        else
            MoveFirst();
        break;
    case ID_RECORD_PREV: MovePrev(); break;
    case ID_RECORD_NEXT: MoveNext(); break;
    case ID_RECORD_LAST: MoveLast(); break;
    case ID_RECORD_INSERT: ToggleInsert(); break;
    case ID_RECORD_SAVE: SaveNewRecord(); break;
    case ID_RECORD_DELETE: Delete(); break;
    case ID_RECORD_FILTER: Filter(); break;
    default: break;
    }
}

bool CUtentiViewCore::LeaveRecord()
{
    return m_nFilter == FilterEntering || !IsRecordModified() || SaveRecord();
}

void CUtentiViewCore::MoveFirst()
{
    if (LeaveRecord() && !IsEmpty()) {
        m_pClienti->MoveFirst();
        DisplayRecord();
    }
}

void CUtentiViewCore::MovePrev()
{
    if (LeaveRecord() && !IsEmpty()) {
        m_pClienti->MovePrev();
        if (m_pClienti->IsBOF())
            m_pClienti->MoveFirst();
        DisplayRecord();
    }
}

void CUtentiViewCore::MoveNext()
{
    if (LeaveRecord() && !IsEmpty()) {
        m_pClienti->MoveNext();
        if (m_pClienti->IsEOF())
            m_pClienti->MoveLast();
        DisplayRecord();
    }
}

void CUtentiViewCore::MoveLast()
{
    if (LeaveRecord() && !IsEmpty()) {
        m_pClienti->MoveLast();
        DisplayRecord();
    }
}

void CUtentiViewCore::BlankForm()
{
    const int kind = m_form.nTipo;
    m_form = UtenteForm();
    m_form.nTipo = kind;
    for (int i = 0; i < GeneraleFields().size(); ++i)
        m_form.generale << QString();
}

void CUtentiViewCore::SetDataControls(bool on)
{
    m_controls.bData = on;
    m_controls.bTabs = on;
    m_controls.bFilterEntry = false;
}

void CUtentiViewCore::ApplyKind(int kind)
{
    m_controls.bLogin = kind != Destinatario;
    m_controls.bCliente = kind == Destinatario;
}

void CUtentiViewCore::DisplayRecord()
{
    m_controls = Controls();
    if (IsEmpty()) {
        BlankForm();
        SetDataControls(false);
        m_nCurrentID = -1;
        m_relazioni.Fill(CUtentiRelazioni::None, 0);
        m_interessi.Load(-1);
        return;
    }
    CClientiSet& row = *m_pClienti;
    m_nCurrentID = row.m_ID;
    SetDataControls(true);
    m_controls.bMainReadOnly = row.m_ID == 0;
    m_controls.bTipo = row.m_ID != 0;

    m_form = UtenteForm();
    m_form.strRagioneSociale = row.m_RagioneSociale;
    m_form.strNome = row.m_Nome;
    m_form.strCognome = row.m_Cognome;
    m_form.strUserID = row.m_UserID;
    m_form.nTipo = row.m_TipoUtente >= 0 && row.m_TipoUtente < TipoTexts().size() ? row.m_TipoUtente : -1;
    ApplyKind(row.m_TipoUtente);
    for (const Field& field : GeneraleFields())
        m_form.generale << TextOf(row, field.column);
    m_form.nListino = row.m_IDListino >= 0 && row.m_IDListino < ListinoTexts().size() ? row.m_IDListino : -1;
    m_form.nLingua = row.m_CodiceLingua.isEmpty() ? 0 : LanguageId(row.m_CodiceLingua);
    m_form.strValiditaDal = DateText(row, "ValiditaDal");
    m_form.strValiditaAl = DateText(row, "ValiditaAl");
    m_form.strScontoPredefinito = row.m_ScontoPredefinito;
    m_form.strScontoPeriodo = row.m_ScontoPeriodo;
    m_form.strPagamento = row.m_Pagamento;
    m_form.strFido = NumberText(row, "Fido");
    m_form.strFidoResiduo = NumberText(row, "FidoResiduo");
    m_form.nGruppo = row.m_IDGruppo;
    m_form.nAgente = row.m_IDAgente;
    m_form.nCliente = row.m_IDCliente;

    CUtentiRelazioni::Mode mode = CUtentiRelazioni::None;
    if (row.m_ID != 0 && row.m_TipoUtente == Agente) {
        m_controls.fifth = TabClienti;
        m_controls.strScontoPredefinito = QStringLiteral("Provvigione predefinita");
        m_controls.strScontoPeriodo = QStringLiteral("Provvigione per periodo");
        mode = CUtentiRelazioni::AgentCustomers;
    } else if (row.m_ID != 0 && (row.m_TipoUtente == B2B || row.m_TipoUtente == B2C)) {
        m_controls.fifth = TabDestinatari;
        mode = CUtentiRelazioni::CustomerConsignees;
    }
    m_relazioni.Fill(mode, row.m_ID);
    m_interessi.Load(row.m_ID);
}

qint32 CUtentiViewCore::LanguageId(const QString& code) const
{
    for (const auto& [id, codice] : m_codici)
        if (codice.compare(code, Qt::CaseInsensitive) == 0)
            return id;
    return 0;
}

QString CUtentiViewCore::LanguageCode(qint32 languageId) const
{
    for (const auto& [id, codice] : m_codici)
        if (id == languageId)
            return codice;
    return QString();
}

bool CUtentiViewCore::IsRecordModified()
{
    if (IsEmpty() || m_bInserting || m_nFilter == FilterEntering)
        return false;
    CClientiSet& row = *m_pClienti;
    const UtenteForm& f = m_form;
    if (f.strRagioneSociale != row.m_RagioneSociale || (f.nTipo >= 0 && f.nTipo != row.m_TipoUtente)
        || f.strNome != row.m_Nome || f.strCognome != row.m_Cognome || f.strUserID != row.m_UserID
        || !f.strPassword.isEmpty())
        return true;
    for (int i = 0; i < GeneraleFields().size(); ++i)
        if (f.generale.value(i) != TextOf(row, GeneraleFields().at(i).column))
            return true;
    if (f.nListino >= 0 && f.nListino != row.m_IDListino)
        return true;
    if (f.nLingua != 0 && LanguageCode(f.nLingua) != row.m_CodiceLingua)
        return true;
    if (f.strValiditaDal.trimmed() != DateText(row, "ValiditaDal")
        || f.strValiditaAl.trimmed() != DateText(row, "ValiditaAl"))
        return true;
    if (f.strScontoPredefinito != row.m_ScontoPredefinito || f.strScontoPeriodo != row.m_ScontoPeriodo
        || f.strPagamento != row.m_Pagamento)
        return true;
    const auto numberDiffers = [&row](const QString& typed, const char* column) {
        const QString text = typed.trimmed().isEmpty() ? QString() : FidoRules().TextOf(FidoRules().ReadDouble(typed));
        return text != NumberText(row, column);
    };
    if (numberDiffers(f.strFido, "Fido") || numberDiffers(f.strFidoResiduo, "FidoResiduo"))
        return true;
    return (f.nGruppo >= 0 && f.nGruppo != row.m_IDGruppo) || (f.nAgente >= 0 && f.nAgente != row.m_IDAgente)
           || (f.nCliente >= 0 && f.nCliente != row.m_IDCliente);
}

bool CUtentiViewCore::Refuse(const QString& text, Focus focus)
{
    CMessageBox::Show(nullptr, text, kValidazione, CMessageBox::Stop);
    m_focus = focus;
    return false;
}

// Asked of the table with the name bound, without regard to case: the
// shop's login takes "Rossi" and "rossi" for the same user, and so does
// the table's unique index.
bool CUtentiViewCore::UserIdTaken(const QString& userId, qint32 exceptId)
{
    CClientiSet others(&m_db);
    others.SetFilter(CDaoCriteria::Format(QStringLiteral("ID<>%d AND LOWER(UserID)=LOWER('%s')"), {exceptId, userId}));
    others.Open();
    return !others.IsEOF();
}

void CUtentiViewCore::WriteDate(CClientiSet& row, const char* column, const QString& text)
{
    const QString name = QString::fromLatin1(column);
    const QDateTime date = DateRules().ReadDate(text);
    if (text.trimmed().isEmpty() || !date.isValid())
        row.SetFieldValueNull(name);
    else
        row.SetFieldValue(name, date);
}

void CUtentiViewCore::WriteNullableText(CClientiSet& row, const char* column, const QString& text)
{
    const QString name = QString::fromLatin1(column);
    if (text.isEmpty())
        row.SetFieldValueNull(name);
    else
        row.SetFieldValue(name, text);
}

void CUtentiViewCore::WriteNumber(CClientiSet& row, const char* column, const QString& text, bool nullWhenEmpty)
{
    const QString name = QString::fromLatin1(column);
    if (text.trimmed().isEmpty() && nullWhenEmpty)
        row.SetFieldValueNull(name);
    else
        row.SetFieldValue(name, FidoRules().ReadDouble(text));
}

void CUtentiViewCore::WriteForm(CClientiSet& row, bool inserting)
{
    const UtenteForm& f = m_form;
    row.m_RagioneSociale = f.strRagioneSociale;
    row.m_Nome = f.strNome;
    row.m_Cognome = f.strCognome;
    row.m_UserID = f.strUserID;
    // Only the hash is kept: the typed text goes nowhere else.
    if (!f.strPassword.isEmpty())
        row.m_Password = CPasswordHash::Hash(f.strPassword);
    if (f.nTipo >= 0)
        row.m_TipoUtente = f.nTipo;
    for (int i = 0; i < GeneraleFields().size(); ++i)
        row.SetFieldValue(QString::fromLatin1(GeneraleFields().at(i).column), f.generale.value(i));
    row.m_IDListino = f.nListino < 0 ? 0 : f.nListino;
    WriteDate(row, "ValiditaDal", f.strValiditaDal);
    WriteDate(row, "ValiditaAl", f.strValiditaAl);
    if (inserting) {
        WriteNullableText(row, "ScontoPredefinito", f.strScontoPredefinito);
        WriteNullableText(row, "ScontoPeriodo", f.strScontoPeriodo);
        WriteNullableText(row, "Pagamento", f.strPagamento);
    } else {
        row.m_ScontoPredefinito = f.strScontoPredefinito;
        row.m_ScontoPeriodo = f.strScontoPeriodo;
        row.m_Pagamento = f.strPagamento;
    }
    WriteNumber(row, "Fido", f.strFido, true);
    WriteNumber(row, "FidoResiduo", f.strFidoResiduo, true);
    if (f.nGruppo >= 0)
        row.m_IDGruppo = f.nGruppo;
    if (f.nAgente >= 0)
        row.m_IDAgente = f.nAgente;
    if (f.nCliente >= 0)
        row.m_IDCliente = f.nCliente;
    if (f.nLingua != 0)
        row.m_CodiceLingua = LanguageCode(f.nLingua);
    row.m_Modificato = true;
}

bool CUtentiViewCore::SaveRecord()
{
    if (IsEmpty())
        return true;
    if (!m_form.strUserID.isEmpty() && UserIdTaken(m_form.strUserID, m_pClienti->m_ID))
        return Refuse(QStringLiteral("Nome utente già presente!"), FocusUserID);
    CClientiSet& row = *m_pClienti;
    const int oldKind = row.m_TipoUtente;
    row.Edit();
    try {
        WriteForm(row, false);
        row.Update();
    } catch (...) {
        row.CancelUpdate();
        throw;
    }
    m_form.strPassword.clear();
    RefreshLists(oldKind, row.m_TipoUtente);
    return true;
}

void CUtentiViewCore::RefreshLists(int oldKind, int newKind)
{
    if (oldKind != newKind && (oldKind <= B2C || newKind <= B2C || oldKind == Agente || newKind == Agente))
        ++m_nListsVersion;
}

void CUtentiViewCore::ChangeKind(int kind)
{
    m_form.nTipo = kind;
    if (kind == Destinatario) {
        m_form.strUserID.clear();
        m_form.strPassword.clear();
    }
    ApplyKind(kind);
}

void CUtentiViewCore::ChangeGroup(qint32 groupId)
{
    m_form.nGruppo = groupId;
    if (groupId < 0 || IsEmpty() || m_bInserting || m_nFilter == FilterEntering || groupId == m_pClienti->m_IDGruppo)
        return;
    const qint32 user = m_pClienti->m_ID;
    if (m_relazioni.RightsOf(user) > 0
        && IsYes(QStringLiteral("Vuoi eliminare i permessi correntemente abbinati all'utente?"),
                 QStringLiteral("Modifica gruppo"), CMessageBox::Question))
        m_relazioni.DeleteRightsOf(user);
}

QString CUtentiViewCore::GeneratePassword()
{
    // Letters, then digits, as the shop makes them; eight characters.
    QString password;
    QRandomGenerator* random = QRandomGenerator::system();
    for (int i = 0; i < 4; ++i)
        password += QChar('a' + random->bounded(26));
    for (int i = 0; i < 4; ++i)
        password += QChar('0' + random->bounded(10));
    m_form.strPassword = password;
    return password;
}

void CUtentiViewCore::ToggleInsert()
{
    if (m_bInserting) {
        if (!IsYes(QStringLiteral("ATTENZIONE: L'inserimento in corso verrà annullato.\nConfermi ?"),
                   QStringLiteral("Inserimento utente"), CMessageBox::Exclamation))
            return;
        m_bInserting = false;
        DisplayRecord();
        return;
    }
    if (!LeaveRecord())
        return;
    // The desktop's range: a customer made here never takes an ID the shop
    // hands out to its own registrations.
    m_nReserved = m_pClienti->GetNextID();
    m_bInserting = true;
    BlankForm();
    m_form.nLingua = LanguageCode(m_nDefaultLanguageId).isEmpty() ? 0 : m_nDefaultLanguageId;
    m_controls = Controls();
    SetDataControls(true);
    m_controls.bTipo = true;
    ApplyKind(m_form.nTipo);
    // The pages of a row that does not exist yet show nothing and write nothing.
    m_relazioni.Fill(CUtentiRelazioni::None, 0);
    m_interessi.Load(-1);
}

void CUtentiViewCore::CopyDefaultRights(qint32 customerId)
{
    CPermessiSet defaults(&m_db);
    defaults.m_strFilter = QStringLiteral("IDUtente=0");
    defaults.Open();
    CPermessiSet copies(&m_db);
    copies.m_strFilter = QStringLiteral("ID=0 AND ID<>0");
    copies.Open();
    for (; !defaults.IsEOF(); defaults.MoveNext()) {
        copies.AddNew();
        copies.m_ID = copies.GetNextID();
        copies.m_IDGruppo = defaults.m_IDGruppo;
        copies.m_IDRecord = defaults.m_IDRecord;
        copies.m_Tipo = defaults.m_Tipo;
        copies.m_IDUtente = customerId;
        copies.m_Modificato = true;
        copies.Update();
    }
}

bool CUtentiViewCore::SaveNewRecord()
{
    if (!m_bInserting)
        return false;
    const UtenteForm& f = m_form;
    if (f.strRagioneSociale.isEmpty() && f.strNome.isEmpty() && f.strCognome.isEmpty() && f.strUserID.isEmpty())
        return Refuse(QStringLiteral("Campo obbligatorio!"), FocusRagioneSociale);
    if (!f.strUserID.isEmpty() && UserIdTaken(f.strUserID, m_nReserved))
        return Refuse(QStringLiteral("Nome utente già presente!"), FocusUserID);
    const qint32 id = m_nReserved;
    {
        // The customer and the rights copied for him go in together.
        CDaoTransaction transaction(m_db);
        CClientiSet row(&m_db);
        row.m_strFilter = QStringLiteral("ID=0 AND ID<>0");
        row.Open();
        row.AddNew();
        row.m_ID = id;
        if (f.nTipo < 0)
            row.m_TipoUtente = 0;
        WriteForm(row, true);
        row.Update();
        CopyDefaultRights(id);
        transaction.Commit();
    }
    m_form.strPassword.clear();
    if (f.nTipo == Agente || f.nTipo == B2B || f.nTipo == B2C)
        ++m_nListsVersion;
    m_bInserting = false;
    GoTo(id);
    DisplayRecord();
    return true;
}

// A new filter text needs a new statement.
void CUtentiViewCore::Refilter(const CDaoCriteria& filter)
{
    m_pClienti->Close();
    m_pClienti->SetFilter(filter);
    m_pClienti->Open();
}

void CUtentiViewCore::GoTo(qint32 id)
{
    m_pClienti->Requery();
    if (!m_pClienti->FindFirst(QStringLiteral("ID=?"), {id}) && !IsEmpty())
        m_pClienti->MoveFirst();
}

void CUtentiViewCore::Delete()
{
    if (IsEmpty())
        return;
    CClientiSet& row = *m_pClienti;
    if (row.m_ID == 0) {
        CMessageBox::Show(nullptr, QStringLiteral("L'utente anonimo non può essere cancellato."), kCancellazione,
                          CMessageBox::Exclamation);
        return;
    }
    if (!IsYes(QStringLiteral("Confermi ?"), QStringLiteral("Cancellazione utente"), CMessageBox::Question))
        return;
    const int kind = row.m_TipoUtente;
    row.Delete();
    if (kind == Agente || kind == B2B || kind == B2C)
        ++m_nListsVersion;
    row.MoveNext();
    if (row.IsEOF())
        row.MoveLast();
    if (IsEmpty() && m_nFilter == FilterActive) {
        CMessageBox::Show(nullptr,
                          QStringLiteral("Sono stati cancellati tutti i record selezionati dal filtro impostato che "
                                         "viene pertanto annullato."),
                          kCancellazione, CMessageBox::Information);
        Refilter(CDaoCriteria());
        m_nFilter = FilterNone;
    }
    if (IsEmpty())
        CMessageBox::Show(nullptr, QStringLiteral("L'archivio utenti ora è vuoto."), kCancellazione,
                          CMessageBox::Information);
    DisplayRecord();
}

void CUtentiViewCore::Filter()
{
    switch (m_nFilter) {
    case FilterNone:
        if (!LeaveRecord())
            return;
        BlankForm();
        SetDataControls(false);
        m_controls.bFilterEntry = true;
        m_controls.bMainReadOnly = false;
        m_controls.bTipo = true;
        m_controls.fifth = NoFifthTab;
        m_nFilter = FilterEntering;
        break;
    case FilterEntering:
        m_nFilter = FilterNone;
        DisplayRecord();
        break;
    default:
        if (!LeaveRecord())
            return;
        Refilter(CDaoCriteria());
        m_nFilter = FilterNone;
        DisplayRecord();
        break;
    }
}

// The typed names are bound as prefixes: a "%" or "_" in them is a letter
// to find, never a wildcard.
void CUtentiViewCore::ApplyFilter()
{
    if (m_nFilter != FilterEntering)
        return;
    QString pattern = QStringLiteral("TipoUtente=%d");
    QVariantList values{m_form.nTipo};
    const std::pair<const char*, QString> names[] = {{"RagioneSociale", m_form.strRagioneSociale},
                                                     {"Cognome", m_form.strCognome},
                                                     {"Nome", m_form.strNome}};
    for (const auto& [column, typed] : names) {
        if (typed.isEmpty())
            continue;
        pattern += QStringLiteral(" AND %1 Like '%s*'").arg(QLatin1String(column));
        values << typed;
    }
    Refilter(CDaoCriteria::Format(pattern, values));
    m_nFilter = FilterActive;
    if (IsEmpty()) {
        CMessageBox::Show(nullptr,
                          QStringLiteral("Il filtro impostato non seleziona alcun record e viene pertanto annullato."),
                          QStringLiteral("Impostazione filtro"), CMessageBox::Stop);
        Refilter(CDaoCriteria());
        m_nFilter = FilterNone;
    }
    if (!IsEmpty())
        m_pClienti->MoveFirst();
    DisplayRecord();
}
