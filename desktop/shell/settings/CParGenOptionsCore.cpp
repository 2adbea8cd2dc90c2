#include "desktop/shell/settings/CParGenOptionsCore.h"

#include "desktop/shell/controls/CMessageBox.h"
#include "desktop/shell/settings/CRecordIds.h"
#include "recordset/COpzioniSet.h"

#include <algorithm>

CParGenOptionsCore::CParGenOptionsCore(CDaoDatabase& db) : m_pSet(std::make_unique<COpzioniSet>(&db))
{
    m_pSet->Open();
    for (; !m_pSet->IsEOF(); m_pSet->MoveNext())
        m_options << Option{QStringLiteral(" ") + m_pSet->m_Codice, m_pSet->m_ID, m_pSet->m_Flag};
    // The list is sorted by its text.
    std::stable_sort(m_options.begin(), m_options.end(),
                     [](const Option& a, const Option& b) { return a.text < b.text; });
}

CParGenOptionsCore::~CParGenOptionsCore() = default;

void CParGenOptionsCore::Rest()
{
    m_state = State();
}

void CParGenOptionsCore::Select(int index, bool checked)
{
    if (index < 0 || index >= m_options.size())
        return;
    Option& option = m_options[index];
    if (!m_pSet->FindFirst(QStringLiteral("ID=?"), {option.id}))
        return;
    if (checked != m_pSet->m_Flag) {
        m_pSet->Edit();
        m_pSet->m_Flag = checked;
        m_pSet->m_Modificato = true;
        m_pSet->Update();
        option.checked = checked;
        Rest();
        return;
    }
    m_state = State{true, m_pSet->m_Codice, m_pSet->m_Descrizione};
}

bool CParGenOptionsCore::CheckCode(const QString& code, qint32 ownId)
{
    if (code.isEmpty()) {
        CMessageBox::Show(nullptr, QStringLiteral("Campo obbligatorio!"), QStringLiteral("Validazione campi"),
                          CMessageBox::Stop);
        return false;
    }
    // Codes are stored upper-case, so an exact search finds any spelling.
    if (m_pSet->FindFirst(QStringLiteral("Codice=?"), {code}) && m_pSet->m_ID != ownId) {
        CMessageBox::Show(nullptr, QStringLiteral("Codice opzione già presente in archivio!"),
                          QStringLiteral("Validazione campi"), CMessageBox::Stop);
        return false;
    }
    return true;
}

bool CParGenOptionsCore::Add(const QString& codice, const QString& descrizione)
{
    const QString code = codice.toUpper();
    if (!CheckCode(code, -1))
        return false;
    const qint32 id = CRecordIds::NextID(*m_pSet);
    m_pSet->AddNew();
    m_pSet->m_ID = id;
    m_pSet->m_Codice = code;
    m_pSet->m_Descrizione = descrizione;
    m_pSet->m_Flag = false;
    m_pSet->m_Modificato = true;
    m_pSet->Update();
    m_options << Option{QStringLiteral(" ") + code, id, false};
    std::stable_sort(m_options.begin(), m_options.end(),
                     [](const Option& a, const Option& b) { return a.text < b.text; });
    Rest();
    return true;
}

bool CParGenOptionsCore::Modify(int index, const QString& codice, const QString& descrizione)
{
    if (index < 0 || index >= m_options.size())
        return false;
    const QString code = codice.toUpper();
    const qint32 id = m_options.at(index).id;
    if (!CheckCode(code, id))
        return false;
    if (m_pSet->FindFirst(QStringLiteral("ID=?"), {id})) {
        m_pSet->Edit();
        m_pSet->m_Codice = code;
        m_pSet->m_Descrizione = descrizione;
        m_pSet->m_Modificato = true;
        m_pSet->Update();
    }
    m_options[index].text = code;
    Rest();
    return true;
}

bool CParGenOptionsCore::Delete(int index)
{
    bool deleted = false;
    if (index >= 0 && index < m_options.size()
        && CMessageBox::Show(nullptr, QStringLiteral("Confermi ?"), QStringLiteral("Cancellazione opzione"),
                             CMessageBox::Question, QMessageBox::Yes | QMessageBox::No)
               == QMessageBox::Yes) {
        if (m_pSet->FindFirst(QStringLiteral("ID=?"), {m_options.at(index).id}))
            m_pSet->Delete();
        m_options.removeAt(index);
        deleted = true;
    }
    Rest();
    return deleted;
}
