#pragma once

#include "desktop/content/IContentTreeTables.h"
#include "desktop/shell/controls/CIdTree.h"

#include <QString>
#include <QVector>

#include <memory>

class CDaoDatabase;

// The rules of the content tree editors, without widgets: the sections
// ("Sezioni") and the forum and chat topics ("Argomenti forum", "Argomenti
// chat"). The tree in the editing language (the default language's names
// where a row has none), the selection and the editing state, and every
// change the merchant can make, each written at once through the table
// classes: insert, save, revert, delete with the whole subtree, move among
// sisters, move or copy under another row; for sections also the switches
// and one icon per section and language. The widget shows Nodes() and the
// fields, and forwards clicks, drops and buttons here.
class CContentTreeCore
{
public:
    enum Kind { Sezioni, ArgomentiForum, ArgomentiChat };
    enum Field { NoField, CodiceField, NomeField, DescrizioneField };
    enum DropCommand { DropCopy = 113, DropMove = 114 };
    static constexpr int kCodeLength = 20;
    static constexpr int kNameLength = 50;

    struct Fields
    {
        QString codice;
        QString nome;
        QString descrizione;
        bool switches[IContentTreeTables::kSwitchCount] = {};
    };

    // A refusal: its message (caption "Validazione campi") and the field
    // to put the focus on; empty text when it went through.
    struct Refusal
    {
        QString strText;
        Field focus = NoField;
        bool IsRefused() const { return !strText.isEmpty(); }
    };

    using Node = CIdTree::Node;

    CContentTreeCore(CDaoDatabase& database, Kind kind, const QString& projectFolder);
    ~CContentTreeCore();

    Kind GetKind() const { return m_kind; }
    bool HasIcons() const { return m_kind == Sezioni; }

    void SetLanguages(const QString& current, const QString& fallback);
    // Reads the icon width and fills the tree.
    void Start();
    // A new editing language: fields blanked, nothing selected, tree rebuilt.
    void RefreshLanguage(const QString& current, const QString& fallback);

    // Node 0 is the root (ID 0).
    const QVector<Node>& Nodes() const { return m_tree.Nodes(); }
    const CIdTree& Tree() const { return m_tree; }
    int IndexOf(qint32 id) const { return m_tree.IndexOf(id); }
    qint32 Selected() const { return m_nSelected; }
    bool IsEditing() const { return m_bEditing; }
    const Fields& CurrentFields() const { return m_fields; }

    // The tree's selection changed (0: none).
    void Select(qint32 id);
    // A click on id (0: on no item); a click on the selected item edits it.
    void Click(qint32 id);

    bool CanInsert() const { return !m_bEditing; }
    bool CanEdit() const { return m_bEditing && m_nSelected > 0; }
    bool CanMoveUp() const;
    bool CanMoveDown() const;

    Refusal Insert(const Fields& typed);
    Refusal Save(const Fields& typed);
    void Revert();
    // The question asked before Delete: what goes, and what stays unlinked.
    QString DeleteQuestion() const;
    QString DeleteCaption() const;
    void Delete();
    bool MoveUp() { return Move(-1); }
    bool MoveDown() { return Move(+1); }
    // Moves or copies source under target; false when the drop makes no
    // sense (onto itself, into its own subtree, a move onto its parent).
    bool Drop(qint32 source, qint32 target, int command);

    // The edited section's icon in the editing language: the new picture is
    // written first and only then replaces the old, and the language row is
    // flagged for the upload. False with error set when the file can't be
    // read or written (the old icon stays).
    bool SetIcon(const QString& file, QString* error);
    // The icon shown for the selected section, empty when none.
    QString IconPath() const;

    // The rows under id and id itself, children before their parent.
    QVector<qint32> SubtreeBottomUp(qint32 id) const;
    bool IsInSubtree(qint32 id, qint32 top) const;

private:
    Refusal Check(Fields& typed, qint32 self) const;
    void Reload();
    void Blank();
    Fields Stored(qint32 id) const;
    bool Move(int direction);
    void CopyUnder(qint32 source, qint32 target);
    QString IconBase(qint32 id) const;
    QString Word(const char* section, const char* topic) const;

    CDaoDatabase& m_db;
    Kind m_kind;
    QString m_strProjectFolder;   // ends with "/"
    std::unique_ptr<IContentTreeTables> m_tables;
    QString m_strCurrent;
    QString m_strDefault;
    qint32 m_nIconWidth = 0;
    CIdTree m_tree;
    qint32 m_nSelected = 0;
    bool m_bEditing = false;
    Fields m_fields;
};
