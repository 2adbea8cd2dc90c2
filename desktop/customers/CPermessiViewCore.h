#pragma once

#include "desktop/catalogue/IPickerTicks.h"
#include "desktop/shell/controls/CRecordTree.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QVector>

class CDaoDatabase;

// The rules of "Permessi visualizzazione" without widgets. A Permessi row
// hides one record (Tipo: 0 category, 1 product, 2 section, 3 article,
// 4 banner) from one group or one customer; no row means visible. A group's
// row carries IDUtente -1 and a customer's row IDGruppo -1: the shop hides
// a record from a visitor when a row names the visitor's group or the
// visitor (the anonymous visitor being customer 0, a visitor without a
// group being in group 0), so -1 on the other side never hides anything
// from anybody else. Ticks (visible) are the picker pages' IPickerTicks;
// a click on a tree node gives its whole subtree the opposite state.
class CPermessiViewCore : public IPickerTicks
{
public:
    enum Side { Groups = 0, Users = 1 };
    enum Kind { Categoria = 0, Prodotto = 1, Sezione = 2, Articolo = 3, Banner = 4 };
    struct Entry
    {
        qint32 nID = 0;
        QString strText;
    };

    CPermessiViewCore(CDaoDatabase& db, const QString& currentLanguage, const QString& defaultLanguage);

    Side GetSide() const { return m_side; }
    void SetSide(Side side);
    // The groups or customers, sorted by text as the list box shows them.
    const QList<Entry>& List() const { return m_list; }
    QString ListCaption() const;
    // -1 while nothing is selected.
    qint32 Current() const { return m_nCurrent; }
    void Select(qint32 id);

    // The category (kind 0) or section (kind 2) tree; empty while nothing
    // is selected.
    QVector<TreeNode> Tree(int kind) const;
    bool IsHidden(int kind, qint32 id) const;
    // A click on a node's state: hidden nodes of the subtree become
    // visible, or every visible one hidden.
    void ClickTreeNode(int kind, qint32 id);

    // IPickerTicks: a tick is a visible record.
    CDaoDatabase& Database() override { return m_db; }
    int OwnerKind() const override { return -1; }
    qint32 OwnerId() const override { return 0; }
    bool IsLinked(int kind, qint32 id) override { return !IsHidden(kind, id); }
    void SetLinked(int kind, qint32 id, bool linked) override { SetHidden(kind, id, !linked); }

    void SetHidden(int kind, qint32 id, bool hidden);
    QString DefaultLanguage() const { return m_strDefault; }

private:
    void LoadList();
    void LoadHidden();
    static const TreeNode* FindNode(const QVector<TreeNode>& nodes, qint32 id);
    void SetSubtree(int kind, const TreeNode& node, bool hidden);

    CDaoDatabase& m_db;
    QString m_strCurrent;
    QString m_strDefault;
    Side m_side = Users;
    qint32 m_nCurrent = -1;
    QList<Entry> m_list;
    QSet<QPair<int, qint32>> m_hidden;
};
