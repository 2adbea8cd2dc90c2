#include "desktop/catalogue/CCorrelazioniCore.h"

#include "desktop/shell/controls/CMessageBox.h"
#include "desktop/shell/settings/CRecordIds.h"
#include "recordset/CCorrelazioniSet.h"

CCorrelazioniCore::CCorrelazioniCore(CDaoDatabase& db, int ownerKind, qint32 ownerId, const QString& ownerName)
    : m_db(db),
      m_nOwnerKind(ownerKind),
      m_nOwnerId(ownerId),
      m_strOwnerName(ownerName),
      m_pCorrelazioni(std::make_unique<CCorrelazioniSet>(&db))
{
    m_pCorrelazioni->Open();
}

CCorrelazioniCore::~CCorrelazioniCore() = default;

QString CCorrelazioniCore::Caption() const
{
    switch (m_nOwnerKind) {
    case Prodotto:
        return QStringLiteral("Correlazione prodotto %1").arg(m_strOwnerName);
    case Articolo:
        return QStringLiteral("Correlazione articolo %1").arg(m_strOwnerName);
    case Banner:
        return QStringLiteral("Correlazione banner %1").arg(m_strOwnerName);
    default:
        return QStringLiteral("Correlazioni");
    }
}

// Either direction: the item on side 1 and the owner on side 2, or the
// owner on side 1 and the item on side 2.
bool CCorrelazioniCore::FindLink(int kind, qint32 id)
{
    return m_pCorrelazioni->FindFirst(
        QStringLiteral("(Tipo1=? AND ID1=? AND Tipo2=? AND ID2=?) OR (Tipo1=? AND ID1=? AND Tipo2=? AND ID2=?)"),
        {kind, id, m_nOwnerKind, m_nOwnerId, m_nOwnerKind, m_nOwnerId, kind, id});
}

bool CCorrelazioniCore::IsLinked(int kind, qint32 id)
{
    return FindLink(kind, id);
}

bool CCorrelazioniCore::Toggle(int kind, qint32 id)
{
    if (FindLink(kind, id)) {
        m_pCorrelazioni->Delete();
        return false;
    }
    const qint32 newId = CRecordIds::NextID(*m_pCorrelazioni);
    m_pCorrelazioni->AddNew();
    m_pCorrelazioni->m_ID = newId;
    m_pCorrelazioni->m_Tipo1 = m_nOwnerKind;
    m_pCorrelazioni->m_ID1 = m_nOwnerId;
    m_pCorrelazioni->m_Tipo2 = kind;
    m_pCorrelazioni->m_ID2 = id;
    m_pCorrelazioni->m_Modificato = true;
    m_pCorrelazioni->Update();
    return true;
}

void CCorrelazioniCore::SetLinked(int kind, qint32 id, bool linked)
{
    if (IsLinked(kind, id) != linked)
        Toggle(kind, id);
}

bool CCorrelazioniCore::MayShowTab(int kind) const
{
    if (m_nOwnerKind != Banner || kind != Banner)
        return true;
    CMessageBox::Show(nullptr, QStringLiteral("Non è possibile la correlazione tra banner!"),
                      QStringLiteral("Correlazioni banner"), CMessageBox::Stop);
    return false;
}

QVector<TreeNode> CCorrelazioniCore::CategoryTree(CDaoDatabase& db, const QString& defaultLanguage)
{
    return CRecordTree::Categories(db, defaultLanguage, defaultLanguage).mid(1);
}

QVector<TreeNode> CCorrelazioniCore::SectionTree(CDaoDatabase& db, const QString& language,
                                                 const QString& defaultLanguage)
{
    return CRecordTree::Sections(db, language, defaultLanguage).mid(1);
}
