#pragma once

#include "desktop/shell/app/CRecordCommands.h"
#include <QDateTime>
#include <QString>
#include <QVector>

class CDaoDatabase;

// The rules of "Interventi Forum", the moderation of the visitors' forum
// posts, without widgets: the posts waiting for moderation (Attivo off) or
// all of them, one at a time by topic and order; the moderator publishes
// or withholds a post, corrects its subject and text, adds a note, and
// deletes it. A post is saved, as typed, when the moderator moves on.
class CForumViewCore : public CRecordCommands
{
public:
    struct Form
    {
        QString argomento;   // shown only
        QDateTime data;
        QDateTime ora;
        QString mittente;
        QString emailMittente;
        bool attivo = false;
        QString oggetto;
        QString testo;
        QString noteModeratore;
    };

    explicit CForumViewCore(CDaoDatabase& database, const QString& defaultLanguage);

    // Opens on the posts to moderate (or all, when none waits).
    void Start();
    // The check box "Mostra solo interventi da moderare".
    void ApplyFilter(bool onlyToModerate);
    bool OnlyToModerate() const { return m_bOnlyToModerate; }

    Form& GetForm() { return m_form; }
    bool HasPost() const { return m_nPos >= 0 && m_nPos < m_ids.size(); }
    qint32 CurrentID() const { return HasPost() ? m_ids.at(m_nPos) : 0; }
    int Count() const { return m_ids.size(); }

    bool IsCommandEnabled(int id) const override;
    void MoveFirst() override;
    void MovePrev() override;
    void MoveNext() override;
    void MoveLast() override;
    // "Annulla modifiche" and "Cancellazione record corrente": on the shown
    // post only.
    void Undo() override;
    void Delete() override;

    bool IsRecordModified() const;
    bool SaveRecord();

private:
    void Load();
    void MoveTo(int position);
    void Show();
    bool Leave();

    CDaoDatabase& m_db;
    QString m_strDefault;
    bool m_bOnlyToModerate = true;
    QVector<qint32> m_ids;
    int m_nPos = -1;
    Form m_form;
    Form m_shown;
};
