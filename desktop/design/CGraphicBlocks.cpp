#include "desktop/design/CGraphicBlocks.h"

#include "platform/dao/CDaoDatabase.h"
#include "platform/dao/CDaoTransaction.h"
#include "recordset/CAttributiCSSSet.h"
#include "recordset/CClassiCSSSet.h"
#include "recordset/CCodiceASPSet.h"
#include "recordset/CParametriSet.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

template <class Set>
void OpenWhere(Set& set, const QString& filter, const QVariantList& params, const QString& sort = QString())
{
    set.m_strFilter = filter;
    set.m_filterParams = params;
    set.m_strSort = sort;
    set.Open();
}

// Opens the set on no rows and starts a new one with the next free ID.
template <class Set>
qint32 AddRow(Set& set)
{
    OpenWhere(set, QStringLiteral("ID=0"), {});
    const qint32 id = CGraphicBlocks::NextId(set);
    set.AddNew();
    set.m_ID = id;
    return id;
}

CGraphicBlocks::Node NodeOf(const CCodiceASPSet& set)
{
    return {set.m_ID, set.m_IDPadre, set.m_Nome, set.m_TipoCodice, set.m_IDCategoria, set.m_IDRiferimento};
}

// The source's own model, or the source itself when it was made in the
// editor: a copy remembers where its classes and parameters came from.
qint32 ModelOf(qint32 idModello, qint32 id)
{
    return idModello != 0 ? idModello : id;
}

// The file below root that relative names, or empty when it would leave it.
QString Below(const QString& root, const QString& relative)
{
    const QString base = QDir::cleanPath(root);
    const QString path = QDir::cleanPath(base + QLatin1Char('/') + relative);
    return path.startsWith(base + QLatin1Char('/')) ? path : QString();
}

} // namespace

CGraphicBlocks::CGraphicBlocks(CDaoDatabase& project, const QString& installFolder, const QString& projectFolder)
    : m_project(project), m_strInstallFolder(installFolder), m_strProjectFolder(projectFolder)
{
}

qint32 CGraphicBlocks::NextId(CDaoRecordset& set)
{
    const QString filter = set.m_strFilter;
    const QString sort = set.m_strSort;
    const QVariantList params = set.m_filterParams;
    const bool hadCurrent = set.IsOpen() && !set.IsEOF() && !set.IsBOF();
    const QVariant current = hadCurrent ? set.GetFieldValue(QStringLiteral("ID")) : QVariant();

    set.m_strFilter.clear();
    set.m_filterParams.clear();
    set.m_strSort = QStringLiteral("ID");
    // Our dynaset keeps the filter and sort it was opened with, so a new
    // pair takes a new open.
    if (set.IsOpen())
        set.Close();
    set.Open();
    qint32 next = 1;
    if (!set.IsEOF()) {
        set.MoveLast();
        next = set.GetFieldValue(QStringLiteral("ID")).toInt() + 1;
    }

    set.m_strFilter = filter;
    set.m_filterParams = params;
    set.m_strSort = sort;
    set.Close();
    set.Open();
    if (hadCurrent)
        set.FindFirst(QStringLiteral("ID=?"), {current});
    return next;
}

// ---- the tree ----------------------------------------------------------------

CGraphicBlocks::Node CGraphicBlocks::Find(qint32 id) const
{
    CCodiceASPSet set(&m_project);
    OpenWhere(set, QStringLiteral("ID=?"), {id});
    return set.IsEOF() ? Node() : NodeOf(set);
}

QVector<CGraphicBlocks::Node> CGraphicBlocks::Children(qint32 parentId) const
{
    QVector<Node> children;
    CCodiceASPSet set(&m_project);
    OpenWhere(set, QStringLiteral("IDPadre=?"), {parentId}, QStringLiteral("Ordine"));
    for (; !set.IsEOF(); set.MoveNext())
        children << NodeOf(set);
    return children;
}

int CGraphicBlocks::CountSubtree(qint32 id) const
{
    int count = 1;
    for (const Node& child : Children(id))
        count += CountSubtree(child.id);
    return count;
}

bool CGraphicBlocks::IsInSubtree(qint32 id, qint32 root) const
{
    // Walks up rather than down; the visited set stops at a damaged tree
    // whose parents run in a circle.
    QSet<qint32> seen;
    for (qint32 at = id; at != 0 && !seen.contains(at); at = Find(at).parent) {
        if (at == root)
            return true;
        seen.insert(at);
    }
    return false;
}

qint32 CGraphicBlocks::TopLevelOf(qint32 id) const
{
    QSet<qint32> seen;
    qint32 top = id;
    for (Node node = Find(id); node.id != 0 && node.parent != 0 && !seen.contains(node.id);
         node = Find(node.parent)) {
        seen.insert(node.id);
        top = node.parent;
    }
    return top;
}

qint32 CGraphicBlocks::ClassCount(qint32 id) const
{
    CClassiCSSSet set(&m_project);
    OpenWhere(set, QStringLiteral("IDCodiceASP=?"), {id});
    return set.GetRecordCount();
}

qint32 CGraphicBlocks::ParameterCount(qint32 id) const
{
    CParametriSet set(&m_project);
    OpenWhere(set, QStringLiteral("IDCodiceASP=?"), {id});
    return set.GetRecordCount();
}

bool CGraphicBlocks::CanRemove(qint32 id) const
{
    CCodiceASPSet references(&m_project);
    OpenWhere(references, QStringLiteral("IDRiferimento=?"), {id});
    if (!references.IsEOF())
        return false;
    for (const Node& child : Children(id))
        if (!CanRemove(child.id))
            return false;
    return true;
}

QSet<qint32> CGraphicBlocks::IncludedBlocks(qint32 id, bool subtreeToo) const
{
    QSet<qint32> included;
    QVector<qint32> pending;
    auto addSubtree = [&](qint32 root) {
        QVector<qint32> walk{root};
        while (!walk.isEmpty()) {
            const qint32 at = walk.takeLast();
            if (included.contains(at))
                continue;
            included.insert(at);
            for (const Node& child : Children(at)) {
                walk << child.id;
                if (child.reference != 0)
                    pending << child.reference;
            }
        }
    };
    if (subtreeToo) {
        addSubtree(id);
    } else {
        // Only the references below the block count: collect them without
        // counting the block's own rows.
        QVector<qint32> walk{id};
        QSet<qint32> seen;
        while (!walk.isEmpty()) {
            const qint32 at = walk.takeLast();
            if (seen.contains(at))
                continue;
            seen.insert(at);
            const Node node = Find(at);
            if (node.reference != 0)
                pending << node.reference;
            for (const Node& child : Children(at))
                walk << child.id;
        }
    }
    while (!pending.isEmpty())
        addSubtree(pending.takeLast());
    return included;
}

bool CGraphicBlocks::WouldIncludeItself(qint32 id, qint32 target, bool subtreeToo) const
{
    const QSet<qint32> included = IncludedBlocks(id, subtreeToo);
    QSet<qint32> seen;
    for (qint32 at = target; at != 0 && !seen.contains(at); at = Find(at).parent) {
        if (included.contains(at))
            return true;
        seen.insert(at);
    }
    return false;
}

// ---- edits -------------------------------------------------------------------

qint32 CGraphicBlocks::InsertBlock(int kind, qint32 parentId)
{
    struct Shape
    {
        const char* name;
        const char* className;
        const char* code;
    };
    static const Shape shapes[] = {
        {"Nuovo blocco", "Blocco", "<div class=\"Blocco\">\n\t##CODICEFIGLIO##\n</div>"},
        {"Nuova tabella", "Tabella",
         "<table class=\"Tabella\" cellpadding=\"0\" cellspacing=\"0\"><tr>\n\t##CODICEFIGLIO##\n</tr></table>"},
        {"Nuova colonna", "Colonna", "<td class=\"Colonna\">\n\t##CODICEFIGLIO##\n</td>"},
    };
    if (kind < Block || kind > Column)
        return 0;
    const Shape& shape = shapes[kind - Block];

    CDaoTransaction transaction(m_project);
    CCodiceASPSet blocks(&m_project);
    const qint32 id = AddRow(blocks);
    blocks.m_IDCategoria = 1;
    blocks.m_IDPadre = parentId;
    blocks.m_Nome = QString::fromUtf8(shape.name);
    blocks.m_Descrizione.clear();
    blocks.m_Ordine = id;
    blocks.m_Attivo = true;
    blocks.m_ASP = QString::fromUtf8(shape.code);
    blocks.m_Include = false;
    blocks.m_TipoCodice = qint16(kind);
    blocks.m_IDRiferimento = 0;
    blocks.m_IDModello = 0;
    blocks.Update();

    CClassiCSSSet classes(&m_project);
    const qint32 classId = AddRow(classes);
    classes.m_IDCodiceASP = id;
    classes.m_Descrizione.clear();
    classes.m_Nome = QString::fromUtf8(shape.className);
    classes.m_Ordine = classId;
    classes.m_NomeCSS = QLatin1Char('.') + classes.m_Nome;
    classes.m_IDModello = 0;
    classes.Update();
    transaction.Commit();
    return id;
}

qint32 CGraphicBlocks::InsertFromModel(CDaoDatabase& catalogue, qint32 modelId, qint32 parentId)
{
    CCodiceASPSet model(&catalogue);
    OpenWhere(model, QStringLiteral("ID=?"), {modelId});
    if (model.IsEOF())
        return 0;

    CDaoTransaction transaction(m_project);
    CCodiceASPSet blocks(&m_project);
    const qint32 id = AddRow(blocks);
    blocks.m_IDCategoria = model.m_IDCategoria;
    blocks.m_IDPadre = parentId;
    blocks.m_Nome = model.m_Nome;
    blocks.m_Descrizione = model.m_Descrizione;
    blocks.m_Ordine = id;
    blocks.m_Attivo = true;
    blocks.m_ASP = model.m_ASP;
    blocks.m_Include = false;
    blocks.m_TipoCodice = qint16(modelId == kConditionalModel ? Conditional : Feature);
    blocks.m_IDRiferimento = 0;
    blocks.m_IDModello = model.m_ID;
    blocks.Update();
    CopyClasses(modelId, id, parentId, catalogue);
    CopyParameters(modelId, id, catalogue);
    transaction.Commit();
    return id;
}

qint32 CGraphicBlocks::CopySubtree(qint32 id, qint32 newParentId)
{
    Step();
    CDaoTransaction transaction(m_project);
    CCodiceASPSet source(&m_project);
    OpenWhere(source, QStringLiteral("ID=?"), {id});
    if (source.IsEOF())
        return 0;
    CCodiceASPSet blocks(&m_project);
    const qint32 copyId = AddRow(blocks);
    blocks.m_IDCategoria = source.m_IDCategoria;
    blocks.m_IDPadre = newParentId != 0 ? newParentId : source.m_IDPadre;
    blocks.m_Nome = source.m_Nome;
    blocks.m_Descrizione = source.m_Descrizione;
    blocks.m_Ordine = copyId;
    blocks.m_Attivo = source.m_Attivo;
    blocks.m_ASP = source.m_ASP;
    blocks.m_Include = source.m_Include;
    blocks.m_TipoCodice = source.m_TipoCodice;
    // A copied reference keeps its include line but does not hold its
    // block: the original can still be deleted once its own references go.
    blocks.m_IDRiferimento = 0;
    blocks.m_IDModello = source.m_IDModello;
    blocks.Update();
    CopyClasses(id, copyId, 0, m_project);
    CopyParameters(id, copyId, m_project);
    // Read after the copy row exists: a copy made under its own source
    // would otherwise be met again as a child and copied for ever.
    const QVector<Node> children = Children(id);
    for (const Node& child : children)
        if (child.id != copyId)
            CopySubtree(child.id, copyId);
    transaction.Commit();
    return copyId;
}

void CGraphicBlocks::CopyClasses(qint32 sourceId, qint32 newId, qint32 parentId, CDaoDatabase& source)
{
    CClassiCSSSet from(&source);
    OpenWhere(from, QStringLiteral("IDCodiceASP=?"), {sourceId}, QStringLiteral("Ordine"));
    for (; !from.IsEOF(); from.MoveNext()) {
        QString selector = from.m_NomeCSS;
        qint32 owner = newId;
        if (selector.startsWith(QLatin1Char('^'))) {
            selector.remove(0, 1);
            owner = parentId;
            CClassiCSSSet existing(&m_project);
            OpenWhere(existing, QStringLiteral("IDCodiceASP=? AND NomeCSS=?"), {parentId, selector});
            if (!existing.IsEOF())
                continue;
        }
        CClassiCSSSet to(&m_project);
        const qint32 classId = AddRow(to);
        to.m_IDCodiceASP = owner;
        to.m_Descrizione = from.m_Descrizione;
        to.m_Nome = from.m_Nome;
        to.m_Ordine = classId;
        to.m_NomeCSS = selector;
        to.m_IDModello = ModelOf(from.m_IDModello, from.m_ID);
        to.Update();

        CAttributiCSSSet values(&source);
        OpenWhere(values, QStringLiteral("IDClasse=?"), {from.m_ID});
        for (; !values.IsEOF(); values.MoveNext()) {
            CAttributiCSSSet copy(&m_project);
            const qint32 valueId = AddRow(copy);
            copy.m_IDClasse = classId;
            copy.m_IDAttributo = values.m_IDAttributo;
            copy.m_Valore = values.m_Valore;
            copy.Update();
            if (m_bCopyFiles && values.m_Valore.left(3).compare(QLatin1String("url"), Qt::CaseInsensitive) == 0) {
                QString path = values.m_Valore.mid(4);
                while (path.endsWith(QLatin1Char(')')))
                    path.chop(1);
                CopyTemplateFile(path);
            }
        }
    }
}

void CGraphicBlocks::CopyParameters(qint32 sourceId, qint32 newId, CDaoDatabase& source)
{
    CParametriSet from(&source);
    OpenWhere(from, QStringLiteral("IDCodiceASP=?"), {sourceId}, QStringLiteral("Ordine"));
    for (; !from.IsEOF(); from.MoveNext()) {
        CParametriSet to(&m_project);
        const qint32 id = AddRow(to);
        to.m_IDCodiceASP = newId;
        to.m_Nome = from.m_Nome;
        to.m_Descrizione = from.m_Descrizione;
        to.m_Bookmark = from.m_Bookmark;
        to.m_Ordine = id;
        to.m_Tipo = from.m_Tipo;
        to.m_Valore = from.m_Valore;
        to.m_Opzioni = from.m_Opzioni;
        to.m_IDModello = ModelOf(from.m_IDModello, from.m_ID);
        to.Update();
        if (m_bCopyFiles && from.m_Tipo == 2 && !from.m_Valore.isEmpty())
            CopyTemplateFile(from.m_Valore);
    }
}

void CGraphicBlocks::CopyTemplateFile(const QString& relative)
{
    QString path = relative.trimmed();
    if (path.size() >= 2 && (path.startsWith(QLatin1Char('"')) || path.startsWith(QLatin1Char('\''))))
        path = path.mid(1, path.size() - 2);
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QString target = Below(m_strProjectFolder + QStringLiteral("website"), path);
    const QString source = Below(m_strInstallFolder + QStringLiteral("template"), path);
    if (target.isEmpty() || source.isEmpty() || QFileInfo::exists(target) || !QFileInfo::exists(source))
        return;
    QDir().mkpath(QFileInfo(target).absolutePath());
    QFile::copy(source, target);
}

void CGraphicBlocks::SetParent(qint32 id, qint32 parentId)
{
    CCodiceASPSet set(&m_project);
    OpenWhere(set, QStringLiteral("ID=?"), {id});
    if (set.IsEOF())
        return;
    set.Edit();
    set.m_IDPadre = parentId;
    set.Update();
}

qint32 CGraphicBlocks::InsertReference(qint32 referencedId, qint32 parentId)
{
    CDaoTransaction transaction(m_project);
    CCodiceASPSet referenced(&m_project);
    OpenWhere(referenced, QStringLiteral("ID=?"), {referencedId});
    if (referenced.IsEOF())
        return 0;
    referenced.Edit();
    referenced.m_Include = true;
    referenced.Update();

    CCodiceASPSet blocks(&m_project);
    const qint32 id = AddRow(blocks);
    blocks.m_IDCategoria = 0;
    blocks.m_IDPadre = parentId;
    blocks.m_Nome = QStringLiteral("Rif. ") + referenced.m_Nome;
    blocks.m_Descrizione.clear();
    blocks.m_Ordine = id;
    blocks.m_Attivo = true;
    blocks.m_ASP = QStringLiteral("<!-- #include virtual=\"/include%1.asp\"-->").arg(referencedId);
    blocks.m_Include = false;
    blocks.m_TipoCodice = Reference;
    blocks.m_IDRiferimento = referencedId;
    blocks.m_IDModello = 0;
    blocks.Update();
    transaction.Commit();
    return id;
}

void CGraphicBlocks::DeleteBlock(qint32 id, QSet<qint32>* unincluded)
{
    Step();
    CDaoTransaction transaction(m_project);
    for (const Node& child : Children(id))
        DeleteBlock(child.id, unincluded);

    const Node node = Find(id);
    if (node.reference != 0) {
        CCodiceASPSet others(&m_project);
        OpenWhere(others, QStringLiteral("ID<>? AND IDRiferimento=?"), {id, node.reference});
        if (others.IsEOF()) {
            CCodiceASPSet referenced(&m_project);
            OpenWhere(referenced, QStringLiteral("ID=?"), {node.reference});
            if (!referenced.IsEOF()) {
                referenced.Edit();
                referenced.m_Include = false;
                referenced.Update();
                if (unincluded)
                    unincluded->insert(node.reference);
            }
        }
    }
    // The block's classes, their values and its parameters go with it: a
    // later block given the same ID must not find them as its own.
    m_project.Execute(QStringLiteral("DELETE FROM AttributiCSS WHERE IDClasse IN "
                                     "(SELECT ID FROM ClassiCSS WHERE IDCodiceASP=?)"),
                      {id});
    m_project.Execute(QStringLiteral("DELETE FROM ClassiCSS WHERE IDCodiceASP=?"), {id});
    m_project.Execute(QStringLiteral("DELETE FROM Parametri WHERE IDCodiceASP=?"), {id});
    m_project.Execute(QStringLiteral("DELETE FROM CodiceASP WHERE ID=?"), {id});
    transaction.Commit();
}

void CGraphicBlocks::SwapOrder(qint32 first, qint32 second)
{
    CDaoTransaction transaction(m_project);
    CCodiceASPSet a(&m_project);
    OpenWhere(a, QStringLiteral("ID=?"), {first});
    CCodiceASPSet b(&m_project);
    OpenWhere(b, QStringLiteral("ID=?"), {second});
    if (a.IsEOF() || b.IsEOF())
        return;
    const qint32 order = a.m_Ordine;
    a.Edit();
    a.m_Ordine = b.m_Ordine;
    a.Update();
    b.Edit();
    b.m_Ordine = order;
    b.Update();
    transaction.Commit();
}

void CGraphicBlocks::Rename(qint32 id, const QString& name)
{
    CDaoTransaction transaction(m_project);
    CCodiceASPSet set(&m_project);
    OpenWhere(set, QStringLiteral("ID=?"), {id});
    if (set.IsEOF())
        return;
    set.Edit();
    set.m_Nome = name;
    set.Update();
    CCodiceASPSet references(&m_project);
    OpenWhere(references, QStringLiteral("IDRiferimento=?"), {id});
    for (; !references.IsEOF(); references.MoveNext()) {
        references.Edit();
        references.m_Nome = QStringLiteral("Rif. ") + name;
        references.Update();
    }
    transaction.Commit();
}

void CGraphicBlocks::Step() const
{
    if (m_step)
        m_step();
}
