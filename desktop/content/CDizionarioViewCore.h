#pragma once

#include <QList>
#include <QString>

class CDaoDatabase;

// The rules of "Dizionario", without widgets: the codes by which the shop
// looks up the texts it shows to visitors, one text per language. The
// merchant edits the text of the main frame's current language; a new entry
// also gets the default language's text, so the shop always finds one.
class CDizionarioViewCore
{
public:
    static constexpr int kCodeLength = 20;

    struct Entry
    {
        qint32 nId = 0;
        QString strCodice;
    };

    struct Controls
    {
        bool bAdd = true;
        bool bSave = false;
        bool bDelete = false;
    };

    // Why an add or save wrote nothing; the focus goes to "Codice".
    enum Refusal { Accepted, CodeMissing, CodeTaken };

    CDizionarioViewCore(CDaoDatabase& db, const QString& currentLanguage, const QString& defaultLanguage);

    const QList<Entry>& Entries() const { return m_entries; }
    qint32 Selected() const { return m_nSelected; }
    const QString& Code() const { return m_strCode; }
    const QString& Text() const { return m_strText; }
    const Controls& GetControls() const { return m_controls; }

    // The entry chosen in the list: its code and the text of the current
    // language, or of the default one when the current has none.
    void Select(qint32 id);
    Refusal Add(const QString& code, const QString& text);
    Refusal Save(const QString& code, const QString& text);
    // Asks "Confermi ?"; on Yes the entry goes with all its texts.
    void Delete();
    // The editing language changed: what was typed and not saved is dropped.
    void SetLanguages(const QString& currentLanguage, const QString& defaultLanguage);

    // The message and caption of a refusal.
    static QString RefusalText(Refusal refusal);
    static QString RefusalCaption() { return QStringLiteral("Validazione campi"); }
    // The code as stored: upper case, letters A-Z and digits only, cut to
    // the column's length.
    static QString CleanCode(const QString& code);

private:
    void ReadEntries();
    void Deselect();
    Refusal Check(const QString& code, qint32 ownId) const;
    QString StoredText(qint32 id, const QString& language, bool* found) const;
    void WriteText(qint32 id, const QString& language, const QString& text);

    CDaoDatabase& m_db;
    QString m_strCurrent;
    QString m_strDefault;
    QList<Entry> m_entries;
    qint32 m_nSelected = 0;
    QString m_strCode;
    QString m_strText;
    Controls m_controls;
};
