#pragma once

#include "desktop/catalogue/CCategoryTree.h"

#include <QString>

class CDaoDatabase;

// The rules of the category tree editor, without widgets: the tree in the
// editing language (the default language's names where a category has
// none), the selection and the editing state, and every change the
// merchant can make, each written at once through the table classes:
// insert, save, revert, delete with the whole subtree, move among
// sisters, move or copy under another category, and one picture per
// category and language. The widget shows Tree() and the fields, and
// forwards clicks, drops and buttons here.
class CCategorieViewCore
{
public:
    enum Field { NoField, CodiceField, NomeField, DescrizioneField };
    enum DropCommand { DropCopy = 113, DropMove = 114 };

    struct Fields
    {
        QString strCodice;
        QString strNome;
        QString strDescrizione;
    };

    // A refused insert or save: the message (caption "Validazione campi")
    // and the field to put the focus on; empty text when it went through.
    struct Refusal
    {
        QString strText;
        Field focus = NoField;
        bool IsRefused() const { return !strText.isEmpty(); }
    };

    CCategorieViewCore(CDaoDatabase& database, const QString& projectFolder);

    void SetLanguages(const QString& current, const QString& fallback);
    // Reads the picture width and fills the tree.
    void Start();
    // A new editing language: fields blanked, nothing selected, tree rebuilt.
    void RefreshLanguage(const QString& current, const QString& fallback);

    const CCategoryTree& Tree() const { return m_tree; }
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
    // The question asked before Delete, naming what goes.
    QString DeleteQuestion() const;
    void Delete();
    bool MoveUp() { return Move(-1); }
    bool MoveDown() { return Move(+1); }
    // Moves or copies source under target; false when the drop makes no
    // sense (onto itself, into its own subtree, a move onto its parent).
    bool Drop(qint32 source, qint32 target, int command);

    // The selected category's picture in the editing language: the new one
    // is written first and only then replaces the old; the language row is
    // flagged for upload. False with error set when the file can't be read
    // or written.
    bool SetPicture(const QString& file, QString* error);
    // The picture file shown for the selected category, empty when none.
    QString PicturePath() const;

private:
    Refusal Check(Fields& typed, qint32 self) const;
    bool CodeInUse(const QString& code, qint32 self) const;
    void Reload();
    void Blank();
    Fields Stored(qint32 id) const;
    void WriteLanguageRow(qint32 category, const QString& language, const QString& nome, const QString& descrizione,
                          bool flagPicture = false);
    bool Move(int direction);
    void CopyUnder(qint32 source, qint32 target);
    QString PictureBase(qint32 id) const;

    CDaoDatabase& m_db;
    QString m_strProjectFolder;   // ends with "/"
    QString m_strCurrent;
    QString m_strDefault;
    qint32 m_nPictureWidth = 0;
    CCategoryTree m_tree;
    qint32 m_nSelected = 0;
    bool m_bEditing = false;
    Fields m_fields;
};
