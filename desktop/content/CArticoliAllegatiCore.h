#pragma once

#include <QList>
#include <QString>

#include <functional>

class CDaoDatabase;

// The rules of the two twin pages of the article card that keep a list of
// their own, written at once: "Link" (ArticoliLink with its language
// rows) and "Files" (ArticoliFiles, each with one stored file
// website/images/articoli/files/<ID>.<ext>). Rows are shown in their order
// (Ordine), with the editing language's title (the default language's as
// fallback); a new row gets its texts in the editing language and, when
// that is another, in the default language too.
class CArticoliAllegatiCore
{
public:
    enum Kind { Link, File };
    enum Field { NoField, CodiceField, UrlField, TitoloField };
    static constexpr int kFileCodeLength = 8;
    static constexpr int kUrlLength = 255;

    struct Fields
    {
        QString titolo;
        QString descrizione;
        QString url;        // links
        bool esterno = false;
        QString codice;     // files
    };

    struct Row
    {
        qint32 nId = 0;
        QString first;    // title (links) or code (files)
        QString second;   // URL (links) or title (files)
    };

    struct Buttons
    {
        bool add = true;
        bool save = false;
        bool remove = false;
        bool up = false;
        bool down = false;
        bool open = false;
    };

    CArticoliAllegatiCore(CDaoDatabase& database, Kind kind, const QString& projectFolder);

    void SetLanguages(const QString& current, const QString& fallback);
    // The article whose rows are listed; 0 none. Reloads the list.
    void SetArticle(qint32 article);
    void Reload();

    Kind GetKind() const { return m_kind; }
    qint32 Article() const { return m_nArticle; }
    const QList<Row>& Rows() const { return m_rows; }
    int Selected() const { return m_nSelected; }
    const Fields& CurrentFields() const { return m_fields; }
    Buttons ButtonState() const;
    QString Folder() const;
    // The stored file of file row id; empty when none.
    QString StoredFile(qint32 id) const;

    void Select(int index);
    // Each says why it refuses (a message, and m_focus on the field);
    // true when something was written.
    bool Add(const Fields& typed);
    bool Save(const Fields& typed);
    bool Delete();
    bool MoveUp() { return Move(-1); }
    bool MoveDown() { return Move(+1); }
    // Opens the selected row's stored file.
    void Open();

    // The merchant's choice of a file ("" when cancelled), the shell's
    // "open" and the focus after a refusal; tests replace them.
    std::function<QString()> m_chooseFile;
    std::function<bool(const QString& path)> m_openFile;
    std::function<void(Field)> m_focus;

private:
    bool Refuse(const QString& text, Field field);
    bool CheckFields(Fields& fields, bool adding);
    // Copies the chosen file as id's only file; false when none was chosen
    // or it could not be copied (said).
    bool ChooseAndCopy(qint32 id);
    void WriteTexts(qint32 id, const QString& language, const Fields& fields, bool onlyWhenMissing);
    void ReadFields(qint32 id);
    bool Move(int direction);
    void Blank();

    CDaoDatabase& m_db;
    Kind m_kind;
    QString m_strProjectFolder;   // ends with "/"
    QString m_strCurrent;
    QString m_strDefault;
    qint32 m_nArticle = 0;
    QList<Row> m_rows;
    int m_nSelected = -1;
    Fields m_fields;
};
