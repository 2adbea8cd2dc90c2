#include "desktop/shell/app/CLanguageList.h"

#include "recordset/CConfigurazioneSet.h"
#include "recordset/CLingueSet.h"

bool CLanguageList::LoadLanguages(CDaoDatabase& database)
{
    CConfigurazioneSet settings(&database);
    settings.Open();
    if (!settings.IsEOF())
        m_nDefaultLanguageId = settings.m_LinguaPredefinita;
    settings.Close();

    CLingueSet languages(&database);
    languages.m_strFilter = QStringLiteral("Attivo=TRUE");
    languages.Open();
    if (languages.IsEOF()) {
        // Nothing of the languages listed before may stay selectable: the
        // views would go on editing in a language that is no longer active.
        languages.Close();
        ResetLanguages();
        return false;
    }

    m_aLanguages.clear();
    m_items.clear();
    m_nCurSel = -1;
    for (; !languages.IsEOF(); languages.MoveNext()) {
        m_aLanguages.append({languages.m_ID, languages.m_Codice});
        const int position = InsertSorted(languages.m_Descrizione);
        m_items[position].nData = int(m_aLanguages.size()) - 1;
    }
    languages.Close();

    bool found = false;
    for (int i = 0; i < m_items.size() && !found; ++i) {
        if (m_aLanguages.at(m_items.at(i).nData).nId == m_nDefaultLanguageId) {
            m_nDefaultLanguageIndex = i;
            found = true;
        }
    }
    // A default that is not among the active languages: the first item
    // stands in, so the views always have a fallback language.
    if (!found)
        m_nDefaultLanguageIndex = 0;
    SelectDefaultLanguage();
    return true;
}

int CLanguageList::InsertSorted(const QString& text)
{
    // As a sorted list box: case-insensitive, a new equal item after the
    // ones already there.
    int position = 0;
    while (position < m_items.size()
           && QString::compare(m_items.at(position).strText, text, Qt::CaseInsensitive) <= 0)
        ++position;
    m_items.insert(position, ListItem{text, -1});
    return position;
}

void CLanguageList::ResetLanguages()
{
    m_items.clear();
    m_aLanguages.clear();
    m_nCurSel = -1;
}

void CLanguageList::SetCurSel(int index)
{
    m_nCurSel = (index >= 0 && index < m_items.size()) ? index : -1;
}

QString CLanguageList::CodeAt(int index) const
{
    if (index < 0 || index >= m_items.size())
        return QString();
    return m_aLanguages.at(m_items.at(index).nData).strCode;
}

QString CLanguageList::GetCurrentLanguage() const
{
    return CodeAt(m_nCurSel);
}

QString CLanguageList::GetDefaultLanguage() const
{
    return CodeAt(m_nDefaultLanguageIndex);
}

bool CLanguageList::IsDefaultLanguageSelected() const
{
    return m_nCurSel >= 0 && m_nCurSel == m_nDefaultLanguageIndex;
}

void CLanguageList::SelectDefaultLanguage()
{
    SetCurSel(m_nDefaultLanguageIndex);
}
