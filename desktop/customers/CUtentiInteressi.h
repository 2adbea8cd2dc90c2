#pragma once

#include <QList>
#include <QString>

class CDaoDatabase;

// The Interessi page of the customers view: one tick per interest, each
// change written at once as a row of InteressiUtenti for the user shown.
class CUtentiInteressi
{
public:
    struct Entry
    {
        qint32 nID = 0;
        QString strText;
        bool bTicked = false;
    };

    CUtentiInteressi(CDaoDatabase& db, const QString& currentLanguage, const QString& defaultLanguage);

    // The interests in table order with their names in the editing language
    // (else the default one, else any), ticked for user.
    void Load(qint32 user);
    qint32 User() const { return m_nUser; }
    const QList<Entry>& Entries() const { return m_entries; }
    // Brings the table in line with the tick; nothing while no user is shown.
    void SetTicked(qint32 interest, bool ticked);

private:
    QString NameOf(qint32 interest) const;

    CDaoDatabase& m_db;
    QString m_strCurrent;
    QString m_strDefault;
    qint32 m_nUser = -1;
    QList<Entry> m_entries;
};
