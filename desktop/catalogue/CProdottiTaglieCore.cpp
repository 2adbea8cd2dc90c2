#include "desktop/catalogue/CProdottiTaglieCore.h"

#include "recordset/CValoriTaglieSet.h"

namespace {

// The number of sizes of a Valori text: each size is ended by "|".
int CountSizes(const QString& valori)
{
    return valori.count(QLatin1Char('|'));
}

} // namespace

CProdottiTaglieCore::CProdottiTaglieCore(CDaoDatabase& db, TaglieProdotto& sizes) : m_db(db), m_sizes(sizes)
{
}

void CProdottiTaglieCore::LoadSizes()
{
    m_entries.clear();
    m_valori.clear();
    CValoriTaglieSet tables(&m_db);
    tables.m_strSort = QStringLiteral("Descrizione, ID");
    tables.Open();
    for (; !tables.IsEOF(); tables.MoveNext()) {
        m_entries.append({tables.m_ID, tables.m_Descrizione});
        m_valori.append(tables.m_Valori);
    }
    tables.Close();

    m_state = State();
    if (m_sizes.IDTabellaTaglie == 0)
        return;
    m_state.bHasTable = true;
    m_state.bComboEnabled = true;
    for (int i = 0; i < m_entries.size(); ++i)
        if (m_entries.at(i).nId == m_sizes.IDTabellaTaglie)
            m_state.nComboIndex = i;
    m_state.strCells = ValoriOf(m_sizes.IDTabellaTaglie);
    const int count = CountSizes(m_state.strCells);
    if (count == 0)
        return;
    // A stored run outside the table (the table lost sizes since) shows
    // every size, as the shop then sells them all.
    const bool valid = m_sizes.DATaglia >= 0 && m_sizes.DATaglia <= m_sizes.ATaglia && m_sizes.ATaglia < count;
    m_state.nSelStart = valid ? m_sizes.DATaglia : 0;
    m_state.nSelEnd = valid ? m_sizes.ATaglia : count - 1;
}

void CProdottiTaglieCore::SelectTable(int comboIndex)
{
    if (comboIndex < 0 || comboIndex >= m_entries.size())
        return;
    m_sizes.IDTabellaTaglie = m_entries.at(comboIndex).nId;
    m_state.nComboIndex = comboIndex;
    m_state.strCells = m_valori.at(comboIndex);
    const int count = CountSizes(m_state.strCells);
    m_state.nSelStart = count > 0 ? 0 : -1;
    m_state.nSelEnd = count > 0 ? count - 1 : -1;
    m_sizes.DATaglia = m_state.nSelStart;
    m_sizes.ATaglia = m_state.nSelEnd;
}

void CProdottiTaglieCore::SetHasTable(bool checked)
{
    // Ticking the box alone chooses no table: the product keeps none until
    // the merchant picks one, so a save in between cannot tie it to
    // whichever table happens to have the ID 1.
    m_sizes = TaglieProdotto();
    m_state = State();
    m_state.bHasTable = checked;
    m_state.bComboEnabled = checked;
}

void CProdottiTaglieCore::SelectionChanged(int first, int last)
{
    if (m_sizes.IDTabellaTaglie == 0)
        return;
    m_state.nSelStart = first;
    m_state.nSelEnd = last;
    m_sizes.DATaglia = first;
    m_sizes.ATaglia = last;
}

void CProdottiTaglieCore::AfterTablesDialog()
{
    m_sizes.IDTabellaTaglie = 0;
    m_sizes.DATaglia = 0;
    m_sizes.ATaglia = 0;
    LoadSizes();
}

QString CProdottiTaglieCore::ValoriOf(qint32 id) const
{
    for (int i = 0; i < m_entries.size(); ++i)
        if (m_entries.at(i).nId == id)
            return m_valori.at(i);
    return QString();
}
