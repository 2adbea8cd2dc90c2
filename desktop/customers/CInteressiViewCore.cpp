#include "desktop/customers/CInteressiViewCore.h"

#include "desktop/shell/controls/CMessageBox.h"
#include "desktop/shell/settings/CRecordIds.h"
#include "platform/dao/CDaoTransaction.h"
#include "recordset/CInteressiLingueSet.h"
#include "recordset/CInteressiSet.h"

#include <utility>

CInteressiViewCore::CInteressiViewCore(CDaoDatabase& db, const QString& currentLanguage,
                                       const QString& defaultLanguage)
    : m_db(db), m_strCurrent(currentLanguage), m_strDefault(defaultLanguage)
{
    m_pInteressi = std::make_unique<CInteressiSet>(&db);
    m_pInteressi->m_strSort = QStringLiteral("Ordine");
    m_pInteressi->Open();
    m_pTesti = std::make_unique<CInteressiLingueSet>(&db);
    m_pTesti->Open();
    Fill();
}

CInteressiViewCore::~CInteressiViewCore() = default;

CInteressiViewCore::Buttons CInteressiViewCore::GetButtons() const
{
    if (m_nSelected < 0)
        return {};
    return {false, true, m_nSelected > 0, m_nSelected < m_entries.size() - 1};
}

bool CInteressiViewCore::TakeNameFocus()
{
    return std::exchange(m_bNameFocus, false);
}

bool CInteressiViewCore::FindText(qint32 interest, const QString& language)
{
    return m_pTesti->FindFirst(QStringLiteral("IDInteresse=? AND CodiceLingua=?"), {interest, language});
}

void CInteressiViewCore::Fill()
{
    m_entries.clear();
    m_pInteressi->Requery();
    m_pTesti->Requery();
    for (; !m_pInteressi->IsEOF(); m_pInteressi->MoveNext()) {
        const qint32 id = m_pInteressi->m_ID;
        // An interest named in neither language is listed without a name.
        const bool found = FindText(id, m_strCurrent) || FindText(id, m_strDefault);
        m_entries.append({id, found ? m_pTesti->m_Nome : QString()});
    }
}

void CInteressiViewCore::LoadTexts(qint32 interest)
{
    if (FindText(interest, m_strCurrent) || FindText(interest, m_strDefault)) {
        m_strNome = m_pTesti->m_Nome;
        m_strDescrizione = m_pTesti->m_Descrizione;
    } else {
        m_strNome.clear();
        m_strDescrizione.clear();
    }
}

void CInteressiViewCore::Select(int index)
{
    if (index < 0 || index >= m_entries.size()) {
        Deselect();
        return;
    }
    m_nSelected = index;
    LoadTexts(m_entries.at(index).nID);
}

void CInteressiViewCore::Revert()
{
    if (m_nSelected >= 0)
        LoadTexts(m_entries.at(m_nSelected).nID);
}

void CInteressiViewCore::Deselect()
{
    m_nSelected = -1;
    m_strNome.clear();
    m_strDescrizione.clear();
}

bool CInteressiViewCore::Refuse()
{
    CMessageBox::Show(nullptr, QStringLiteral("Campo obbligatorio!"), QStringLiteral("Validazione campi"),
                      CMessageBox::Stop);
    m_bNameFocus = true;
    return false;
}

void CInteressiViewCore::AddText(qint32 interest, const QString& language)
{
    m_pTesti->AddNew();
    m_pTesti->m_ID = CRecordIds::NextID(*m_pTesti);
    m_pTesti->m_IDInteresse = interest;
    m_pTesti->m_CodiceLingua = language;
    m_pTesti->m_Nome = m_strNome;
    m_pTesti->m_Descrizione = m_strDescrizione;
    m_pTesti->m_Modificato = true;
    m_pTesti->Update();
}

bool CInteressiViewCore::New()
{
    if (m_strNome.isEmpty())
        return Refuse();
    {
        CDaoTransaction transaction(m_db);
        const qint32 id = CRecordIds::NextID(*m_pInteressi);
        m_pInteressi->AddNew();
        m_pInteressi->m_ID = id;
        m_pInteressi->m_Ordine = id;
        m_pInteressi->m_Modificato = true;
        m_pInteressi->Update();
        AddText(id, m_strCurrent);
        // The default language always has the texts, so every language lists it.
        if (m_strCurrent != m_strDefault)
            AddText(id, m_strDefault);
        transaction.Commit();
    }
    Fill();
    Deselect();
    return true;
}

bool CInteressiViewCore::Save()
{
    if (m_nSelected < 0)
        return false;
    if (m_strNome.isEmpty())
        return Refuse();
    const qint32 id = m_entries.at(m_nSelected).nID;
    if (FindText(id, m_strCurrent)) {
        m_pTesti->Edit();
        m_pTesti->m_Nome = m_strNome;
        m_pTesti->m_Descrizione = m_strDescrizione;
        m_pTesti->m_Modificato = true;
        m_pTesti->Update();
    } else {
        AddText(id, m_strCurrent);
        m_pTesti->Requery();
    }
    m_entries[m_nSelected].strNome = m_strNome;
    Deselect();
    return true;
}

void CInteressiViewCore::Delete()
{
    if (m_nSelected < 0)
        return;
    const qint32 id = m_entries.at(m_nSelected).nID;
    if (CMessageBox::Show(nullptr,
                          QStringLiteral("ATTENZIONE:\nquesta operazione eliminerà definitivamente\nquesto interesse da "
                                         "tutti gli utenti.\n\nConfermi ?"),
                          QStringLiteral("Cancellazione interesse"), CMessageBox::Question,
                          QMessageBox::Yes | QMessageBox::No)
            == QMessageBox::Yes
        && m_pInteressi->FindFirst(QStringLiteral("ID=?"), {id})) {
        m_pInteressi->Delete();
        Fill();
    }
    Deselect();
}

// Only the two rows change: the order is never renumbered.
void CInteressiViewCore::Swap(int neighbour)
{
    if (m_nSelected < 0 || neighbour < 0 || neighbour >= m_entries.size())
        return;
    const qint32 a = m_entries.at(m_nSelected).nID;
    const qint32 b = m_entries.at(neighbour).nID;
    qint32 ordineA = 0;
    qint32 ordineB = 0;
    if (!m_pInteressi->FindFirst(QStringLiteral("ID=?"), {a}))
        return;
    ordineA = m_pInteressi->m_Ordine;
    if (!m_pInteressi->FindFirst(QStringLiteral("ID=?"), {b}))
        return;
    ordineB = m_pInteressi->m_Ordine;
    {
        CDaoTransaction transaction(m_db);
        for (const auto& [id, ordine] : {std::pair{a, ordineB}, std::pair{b, ordineA}}) {
            m_pInteressi->FindFirst(QStringLiteral("ID=?"), {id});
            m_pInteressi->Edit();
            m_pInteressi->m_Ordine = ordine;
            m_pInteressi->m_Modificato = true;
            m_pInteressi->Update();
        }
        transaction.Commit();
    }
    m_entries.swapItemsAt(m_nSelected, neighbour);
    Select(neighbour);
}

void CInteressiViewCore::RefreshLanguage(const QString& currentLanguage, const QString& defaultLanguage)
{
    m_strCurrent = currentLanguage;
    m_strDefault = defaultLanguage;
    Deselect();
    Fill();
}
