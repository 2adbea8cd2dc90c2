#include "desktop/shell/controls/CFunzionalitaCore.h"

#include "recordset/CCategorieCodiciASPSet.h"
#include "recordset/CCodiceASPSet.h"

CFunzionalitaCore::CFunzionalitaCore(CDaoDatabase& db)
    : m_pCategories(std::make_unique<CCategorieCodiciASPSet>(&db)), m_pFeatures(std::make_unique<CCodiceASPSet>(&db))
{
    m_pCategories->m_strSort = QStringLiteral("Ordine");
    m_pCategories->Open();
    m_pFeatures->m_strSort = QStringLiteral("Ordine");
    m_pFeatures->m_strFilter = QStringLiteral("IDCategoria=?");
    m_pFeatures->m_filterParams = {0};
    m_pFeatures->Open();
    for (; !m_pCategories->IsEOF(); m_pCategories->MoveNext())
        m_categories << Entry{m_pCategories->m_Nome, m_pCategories->m_ID};
}

CFunzionalitaCore::~CFunzionalitaCore() = default;

void CFunzionalitaCore::SelectCategory(qint32 id)
{
    m_strDescription.clear();
    if (m_pCategories->FindFirst(QStringLiteral("ID=?"), {id}))
        m_strDescription = m_pCategories->m_Descrizione;
    m_features.clear();
    m_nFeature = 0;
    m_pFeatures->m_filterParams = {id};
    m_pFeatures->Requery();
    for (; !m_pFeatures->IsEOF(); m_pFeatures->MoveNext())
        m_features << Entry{m_pFeatures->m_Nome, m_pFeatures->m_ID};
}

void CFunzionalitaCore::SelectFeature(qint32 id)
{
    if (!m_pFeatures->FindFirst(QStringLiteral("ID=?"), {id}))
        return;
    m_strDescription = m_pFeatures->m_Descrizione;
    m_nFeature = id;
}
