#pragma once

#include <QSet>
#include <QString>
#include <QVector>

#include <functional>

class CDaoDatabase;
class CDaoRecordset;

// The block tree of one graphic project as rows of its tables: reading the
// tree, and the edits that make, copy, move and remove blocks with their
// classes, attributes and parameters. It keeps no editing state (selection,
// clipboard); CConfModelloCore does.
class CGraphicBlocks
{
public:
    enum Kind
    {
        Page = 0,
        Block = 1,
        Table = 2,
        Column = 3,
        Feature = 4,
        Reference = 5,
        Fixed = 6,
        Conditional = 7,
    };
    // The catalogue block that the conditional-block command inserts.
    static constexpr qint32 kConditionalModel = 101;

    struct Node
    {
        qint32 id = 0;   // 0: no such block
        qint32 parent = 0;
        QString name;
        int kind = 0;
        qint32 category = 0;
        qint32 reference = 0;
    };

    // Folders end with "/". The project database must stay open while the
    // object is used; the catalogue is read only by InsertFromModel.
    CGraphicBlocks(CDaoDatabase& project, const QString& installFolder, const QString& projectFolder);

    // The highest ID of the set's table plus 1 (1 for an empty table). The
    // set is left with its filter, sort and current row as they were.
    static qint32 NextId(CDaoRecordset& set);

    // ---- the tree --------------------------------------------------------
    Node Find(qint32 id) const;
    // The children in the order of their pages (Ordine).
    QVector<Node> Children(qint32 parentId) const;
    // The block and every block below it.
    int CountSubtree(qint32 id) const;
    bool IsInSubtree(qint32 id, qint32 root) const;
    // The page the block belongs to: its top-level ancestor.
    qint32 TopLevelOf(qint32 id) const;
    qint32 ClassCount(qint32 id) const;
    qint32 ParameterCount(qint32 id) const;
    // No reference points at the block or at a block below it.
    bool CanRemove(qint32 id) const;
    // The blocks whose code a page gets by holding this one: its subtree
    // and, through every reference in it, the referenced blocks' subtrees.
    // With subtreeToo false only what its references bring in.
    QSet<qint32> IncludedBlocks(qint32 id, bool subtreeToo = true) const;
    // Code holding the block's would end up inside the target's own page
    // text: put under target, it would include itself.
    bool WouldIncludeItself(qint32 id, qint32 target, bool subtreeToo = true) const;

    // ---- edits -----------------------------------------------------------
    // New block, table or column (kind 1, 2 or 3) under parent.
    qint32 InsertBlock(int kind, qint32 parentId);
    // A copy of the catalogue block (without its children) under parent.
    qint32 InsertFromModel(CDaoDatabase& catalogue, qint32 modelId, qint32 parentId);
    qint32 CopySubtree(qint32 id, qint32 newParentId);
    void CopyClasses(qint32 sourceId, qint32 newId, qint32 parentId, CDaoDatabase& source);
    void CopyParameters(qint32 sourceId, qint32 newId, CDaoDatabase& source);
    void SetParent(qint32 id, qint32 parentId);
    // The reference row under parent; the referenced block becomes Include.
    qint32 InsertReference(qint32 referencedId, qint32 parentId);
    // Removes the block and everything below it with their classes, the
    // classes' attributes and their parameters. A referenced block that
    // loses its last reference stops being Include; its ID is added to
    // unincluded, so its page can be written again.
    void DeleteBlock(qint32 id, QSet<qint32>* unincluded = nullptr);
    void SwapOrder(qint32 first, qint32 second);
    // The block's name, and "Rif. " with it on every reference to it.
    void Rename(qint32 id, const QString& name);

    // Catalogue blocks bring their images along (url(...) attributes and
    // file parameters) while this is on.
    void SetCopyFiles(bool copy) { m_bCopyFiles = copy; }
    // Stepped once per block copied or deleted.
    std::function<void()> m_step;

private:
    void CopyTemplateFile(const QString& relative);
    void Step() const;

    CDaoDatabase& m_project;
    QString m_strInstallFolder;
    QString m_strProjectFolder;
    bool m_bCopyFiles = false;
};
