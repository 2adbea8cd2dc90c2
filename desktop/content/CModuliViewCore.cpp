#include "desktop/content/CModuliViewCore.h"

#include "desktop/content/CContentRows.h"
#include "desktop/shell/app/TindaCommandIds.h"
#include "desktop/shell/controls/CMessageBox.h"
#include "platform/dao/CDaoCriteria.h"
#include "platform/dao/CDaoTransaction.h"
#include "recordset/CModuliLingueSet.h"
#include "recordset/CModuliSet.h"

namespace {

const QString kInsertCaption = QStringLiteral("Inserimento modulo");

using Rows = CContentRows;

} // namespace

CModuliViewCore::CModuliViewCore(CDaoDatabase& database, CGridCore& grid) : m_db(database), m_fields(database, grid)
{
}

void CModuliViewCore::SetLanguages(const QString& current, const QString& fallback)
{
    m_strCurrent = current;
    m_strDefault = fallback;
    m_fields.SetLanguages(current, fallback);
}

qint32 CModuliViewCore::CurrentID() const
{
    return !m_bInserting && OnRecord() ? m_ids.at(m_nPos) : 0;
}

void CModuliViewCore::Start()
{
    m_fields.Setup();
    LoadIds();
    MoveTo(0);
}

void CModuliViewCore::LoadIds()
{
    m_ids.clear();
    CModuliSet forms(&m_db);
    forms.m_strSort = QStringLiteral("ID");
    forms.Open();
    for (; !forms.IsEOF(); forms.MoveNext())
        m_ids.append(forms.m_ID);
    m_nPos = m_ids.isEmpty() ? -1 : 0;
}

void CModuliViewCore::MoveTo(int position)
{
    if (!m_ids.isEmpty())
        m_nPos = qBound(0, position, static_cast<int>(m_ids.size()) - 1);
    Show();
}

void CModuliViewCore::Show()
{
    m_form = Form();
    const qint32 id = OnRecord() ? m_ids.at(m_nPos) : 0;
    CModuliSet form(&m_db);
    if (id > 0 && Rows::OpenWhere(form, Rows::ById(id))) {
        m_form.codice = form.m_Codice;
        m_form.email = form.m_Email;
        m_form.oggetto = form.m_OggettoMail;
        CModuliLingueSet texts(&m_db);
        for (const QString& language : {m_strCurrent, m_strDefault})
            if (Rows::OpenWhere(texts, CDaoCriteria::Format(QStringLiteral("IDModulo=%d AND CodiceLingua='%s'"),
                                                      {id, language}))) {
                m_form.nome = texts.m_Nome;
                m_form.descrizione = texts.m_Descrizione;
                break;
            }
    }
    m_shown = m_form;
    m_fields.Load(m_bInserting ? 0 : id);
}

void CModuliViewCore::RefreshLanguage(const QString& current, const QString& fallback)
{
    SetLanguages(current, fallback);
    if (!m_bInserting)
        Show();
}

bool CModuliViewCore::IsRecordModified() const
{
    return !m_bInserting && OnRecord() && !(m_form == m_shown);
}

bool CModuliViewCore::Refuse(const QString& text, Field field)
{
    CMessageBox::Show(nullptr, text, QStringLiteral("Validazione campi"), CMessageBox::Stop);
    if (m_focus)
        m_focus(field);
    return false;
}

bool CModuliViewCore::Check(qint32 self, bool adding)
{
    m_form.codice = m_form.codice.trimmed().toUpper().left(kCodeLength);
    const std::pair<const QString*, Field> required[] = {
        {&m_form.codice, CodiceField}, {&m_form.nome, NomeField}, {&m_form.email, EmailField},
        {&m_form.oggetto, OggettoField}};
    for (const auto& [value, field] : required)
        if (value->trimmed().isEmpty())
            return Refuse(QStringLiteral("Campo obbligatorio!"), field);
    if (m_form.codice.at(0) < QLatin1Char('A') || m_form.codice.at(0) > QLatin1Char('Z'))
        return Refuse(QStringLiteral("Il primo carattere del codice modulo non può essere un numero!"), CodiceField);
    CModuliSet others(&m_db);
    const CDaoCriteria criteria = adding
                                      ? CDaoCriteria::Format(QStringLiteral("Codice='%s'"), {m_form.codice})
                                      : CDaoCriteria::Format(QStringLiteral("Codice='%s' AND ID<>%d"), {m_form.codice, self});
    if (Rows::OpenWhere(others, criteria))
        return Refuse(QStringLiteral("Codice modulo già presente in archivio!"), CodiceField);
    return true;
}

void CModuliViewCore::WriteTexts(qint32 form, const QString& language)
{
    CModuliLingueSet texts(&m_db);
    if (Rows::OpenWhere(texts, CDaoCriteria::Format(QStringLiteral("IDModulo=%d AND CodiceLingua='%s'"), {form, language}))) {
        texts.Edit();
    } else {
        const qint32 id = texts.GetNextID();
        texts.AddNew();
        texts.m_ID = id;
        texts.m_IDModulo = form;
        texts.m_CodiceLingua = language;
    }
    texts.m_Nome = m_form.nome.left(50);
    texts.m_Descrizione = m_form.descrizione;
    texts.m_Modificato = true;
    texts.Update();
}

bool CModuliViewCore::SaveRecord()
{
    if (m_bInserting || !OnRecord())
        return true;
    const qint32 id = m_ids.at(m_nPos);
    if (!Check(id, false))
        return false;
    CModuliSet form(&m_db);
    if (!Rows::OpenWhere(form, Rows::ById(id)))
        return true;
    CDaoTransaction transaction(m_db);
    form.Edit();
    form.m_Codice = m_form.codice;
    form.m_OggettoMail = m_form.oggetto.left(100);
    form.m_Email = m_form.email.left(80);
    form.m_Modificato = true;
    form.Update();
    WriteTexts(id, m_strCurrent);
    transaction.Commit();
    m_shown = m_form;
    return true;
}

bool CModuliViewCore::SaveNew()
{
    if (!m_bInserting || !Check(0, true))
        return false;
    CModuliSet form(&m_db);
    form.SetFilter(CDaoCriteria(QStringLiteral("ID=0 AND ID<>0")));
    form.Open();
    CDaoTransaction transaction(m_db);
    form.AddNew();
    form.m_ID = m_nReserved;
    form.m_Codice = m_form.codice;
    form.m_OggettoMail = m_form.oggetto.left(100);
    form.m_Email = m_form.email.left(80);
    form.m_Modificato = true;
    form.Update();
    WriteTexts(m_nReserved, m_strCurrent);
    transaction.Commit();
    m_bInserting = false;
    LoadIds();
    const int position = m_ids.indexOf(m_nReserved);
    MoveTo(position < 0 ? 0 : position);
    return true;
}

void CModuliViewCore::ToggleInsert()
{
    if (m_bInserting) {
        if (CMessageBox::Show(nullptr, QStringLiteral("ATTENZIONE: L'inserimento in corso verrà annullato.\nConfermi ?"),
                              kInsertCaption, CMessageBox::Exclamation, QMessageBox::Yes | QMessageBox::No)
            != QMessageBox::Yes)
            return;
        m_bInserting = false;
        Show();
        return;
    }
    if (IsRecordModified() && !SaveRecord())
        return;
    if (m_strCurrent != m_strDefault) {
        CMessageBox::Show(nullptr, QStringLiteral("ATTENZIONE: L'inserimento avviene sempre nella lingua predefinita."),
                          kInsertCaption, CMessageBox::Information);
        if (m_selectDefaultLanguage)
            m_selectDefaultLanguage();
        SetLanguages(m_strDefault, m_strDefault);
    }
    CModuliSet forms(&m_db);
    forms.SetFilter(CDaoCriteria(QStringLiteral("ID=0 AND ID<>0")));
    forms.Open();
    m_nReserved = forms.GetNextID();
    m_bInserting = true;
    m_form = m_shown = Form();
    m_fields.Load(0);
}

void CModuliViewCore::Delete()
{
    if (m_bInserting || !OnRecord()
        || CMessageBox::Show(nullptr, QStringLiteral("Confermi ?"), QStringLiteral("Cancellazione modulo"),
                             CMessageBox::Question, QMessageBox::Yes | QMessageBox::No)
               != QMessageBox::Yes)
        return;
    {
        CModuliSet form(&m_db);
        if (Rows::OpenWhere(form, Rows::ById(m_ids.at(m_nPos))))
            form.Delete();
    }
    m_ids.removeAt(m_nPos);
    if (m_ids.isEmpty()) {
        m_nPos = -1;
        CMessageBox::Show(nullptr, QStringLiteral("L'archivio moduli ora è vuoto."),
                          QStringLiteral("Cancellazione moduli"), CMessageBox::Information);
        Show();
        return;
    }
    MoveTo(qMin(m_nPos, static_cast<int>(m_ids.size()) - 1));
}

bool CModuliViewCore::IsCommandEnabled(int id) const
{
    const bool browsing = !m_bInserting && OnRecord();
    switch (id) {
    case ID_RECORD_FIRST:
    case ID_RECORD_PREV: return browsing && m_nPos > 0;
    case ID_RECORD_NEXT:
    case ID_RECORD_LAST: return browsing && m_nPos + 1 < m_ids.size();
    case ID_RECORD_INSERT: return true;
    case ID_RECORD_SAVE: return m_bInserting;
    case ID_RECORD_DELETE: return browsing;
    default: return false;
    }
}

bool CModuliViewCore::IsCommandChecked(int id) const
{
    return id == ID_RECORD_INSERT && m_bInserting;
}

void CModuliViewCore::OnCommand(int id)
{
    if (!IsCommandEnabled(id))
        return;
    int target = m_nPos;
    switch (id) {
    case ID_RECORD_INSERT: ToggleInsert(); return;
    case ID_RECORD_SAVE: SaveNew(); return;
    case ID_RECORD_DELETE: Delete(); return;
    case ID_RECORD_FIRST: target = 0; break;
    case ID_RECORD_PREV: target = m_nPos - 1; break;
    case ID_RECORD_NEXT: target = m_nPos + 1; break;
    case ID_RECORD_LAST: target = static_cast<int>(m_ids.size()) - 1; break;
    default: return;
    }
    // A modified form is saved silently first; a failed save stays.
    if (IsRecordModified() && !SaveRecord())
        return;
    MoveTo(target);
}
