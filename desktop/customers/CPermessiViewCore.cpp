#include "desktop/customers/CPermessiViewCore.h"

#include "desktop/catalogue/CCorrelazioniCore.h"
#include "recordset/CClientiSet.h"
#include "recordset/CGruppiSet.h"
#include "recordset/CPermessiSet.h"

#include <algorithm>

namespace {

const char* SideColumn(CPermessiViewCore::Side side)
{
    return side == CPermessiViewCore::Users ? "IDUtente" : "IDGruppo";
}

} // namespace

CPermessiViewCore::CPermessiViewCore(CDaoDatabase& db, const QString& currentLanguage, const QString& defaultLanguage)
    : m_db(db), m_strCurrent(currentLanguage), m_strDefault(defaultLanguage)
{
    LoadList();
}

void CPermessiViewCore::SetSide(Side side)
{
    m_side = side;
    m_nCurrent = -1;
    m_hidden.clear();
    LoadList();
}

QString CPermessiViewCore::ListCaption() const
{
    return m_side == Users ? QStringLiteral("Utenti") : QStringLiteral("Gruppi");
}

void CPermessiViewCore::LoadList()
{
    m_list.clear();
    if (m_side == Users) {
        CClientiSet rows(&m_db);
        rows.Open();
        for (; !rows.IsEOF(); rows.MoveNext()) {
            const QString name = rows.m_Nome + QLatin1Char(' ') + rows.m_Cognome;
            m_list.append({rows.m_ID, rows.m_RagioneSociale.isEmpty()
                                          ? name
                                          : rows.m_RagioneSociale + QStringLiteral(" (") + name + QLatin1Char(')')});
        }
    } else {
        CGruppiSet rows(&m_db);
        rows.Open();
        for (; !rows.IsEOF(); rows.MoveNext())
            m_list.append({rows.m_ID, rows.m_Nome});
    }
    std::stable_sort(m_list.begin(), m_list.end(), [](const Entry& a, const Entry& b) {
        return QString::localeAwareCompare(a.strText, b.strText) < 0;
    });
}

void CPermessiViewCore::Select(qint32 id)
{
    m_nCurrent = id;
    LoadHidden();
}

void CPermessiViewCore::LoadHidden()
{
    m_hidden.clear();
    if (m_nCurrent < 0)
        return;
    CPermessiSet rows(&m_db);
    rows.SetFilter(CDaoCriteria(QStringLiteral("%1=?").arg(QLatin1String(SideColumn(m_side))), {m_nCurrent}));
    rows.Open();
    for (; !rows.IsEOF(); rows.MoveNext())
        m_hidden.insert({rows.m_Tipo, rows.m_IDRecord});
}

QVector<TreeNode> CPermessiViewCore::Tree(int kind) const
{
    if (m_nCurrent < 0)
        return {};
    return kind == Categoria ? CCorrelazioniCore::CategoryTree(m_db, m_strDefault)
                             : CCorrelazioniCore::SectionTree(m_db, m_strCurrent, m_strDefault);
}

bool CPermessiViewCore::IsHidden(int kind, qint32 id) const
{
    return m_hidden.contains({kind, id});
}

// Looked up before it is written, so a repeated click or a re-entered cell
// never makes a second row or deletes one that is gone.
void CPermessiViewCore::SetHidden(int kind, qint32 id, bool hidden)
{
    if (m_nCurrent < 0 || IsHidden(kind, id) == hidden)
        return;
    CPermessiSet rows(&m_db);
    rows.SetFilter(CDaoCriteria(QStringLiteral("%1=? AND Tipo=? AND IDRecord=?").arg(QLatin1String(SideColumn(m_side))),
                                {m_nCurrent, kind, id}));
    rows.Open();
    if (hidden && rows.IsEOF()) {
        rows.AddNew();
        rows.m_ID = rows.GetNextID();
        rows.m_IDGruppo = m_side == Groups ? m_nCurrent : -1;
        rows.m_IDUtente = m_side == Users ? m_nCurrent : -1;
        rows.m_Tipo = quint8(kind);
        rows.m_IDRecord = id;
        rows.m_Modificato = true;
        rows.Update();
    }
    for (; !hidden && !rows.IsEOF(); rows.MoveNext())
        rows.Delete();
    if (hidden)
        m_hidden.insert({kind, id});
    else
        m_hidden.remove({kind, id});
}

const TreeNode* CPermessiViewCore::FindNode(const QVector<TreeNode>& nodes, qint32 id)
{
    for (const TreeNode& node : nodes) {
        if (node.id == id)
            return &node;
        if (const TreeNode* found = FindNode(node.children, id))
            return found;
    }
    return nullptr;
}

// Children first, then the node itself.
void CPermessiViewCore::SetSubtree(int kind, const TreeNode& node, bool hidden)
{
    for (const TreeNode& child : node.children)
        SetSubtree(kind, child, hidden);
    SetHidden(kind, node.id, hidden);
}

void CPermessiViewCore::ClickTreeNode(int kind, qint32 id)
{
    if (m_nCurrent < 0)
        return;
    const QVector<TreeNode> tree = Tree(kind);
    if (const TreeNode* node = FindNode(tree, id))
        SetSubtree(kind, *node, !IsHidden(kind, id));
}
