#pragma once

#include <QList>
#include <QString>

#include <memory>

class CDaoDatabase;
class CInteressiLingueSet;
class CInteressiSet;

// The rules of "Interessi Utenti" without widgets: the interests in the
// merchant's order with their name and description in the editing
// language (the default language's as fallback), a new one, save, revert,
// delete with its users' choices, and the moves up and down that swap two
// interests' order.
class CInteressiViewCore
{
public:
    struct Entry
    {
        qint32 nID = 0;
        QString strNome;
    };
    struct Buttons
    {
        bool bNew = true;
        bool bEdit = false;     // save, revert, delete
        bool bUp = false;
        bool bDown = false;
    };

    CInteressiViewCore(CDaoDatabase& db, const QString& currentLanguage, const QString& defaultLanguage);
    ~CInteressiViewCore();

    const QList<Entry>& Entries() const { return m_entries; }
    int SelectedIndex() const { return m_nSelected; }
    QString& Nome() { return m_strNome; }
    QString& Descrizione() { return m_strDescrizione; }
    Buttons GetButtons() const;
    bool TakeNameFocus();

    void Select(int index);
    bool New();
    bool Save();
    void Revert();
    void Delete();
    void MoveUp() { Swap(m_nSelected - 1); }
    void MoveDown() { Swap(m_nSelected + 1); }
    void RefreshLanguage(const QString& currentLanguage, const QString& defaultLanguage);

private:
    void Fill();
    void Deselect();
    bool Refuse();
    // The interest's row in language, or none.
    bool FindText(qint32 interest, const QString& language);
    void LoadTexts(qint32 interest);
    void AddText(qint32 interest, const QString& language);
    void Swap(int neighbour);

    CDaoDatabase& m_db;
    QString m_strCurrent;
    QString m_strDefault;
    std::unique_ptr<CInteressiSet> m_pInteressi;
    std::unique_ptr<CInteressiLingueSet> m_pTesti;
    QList<Entry> m_entries;
    int m_nSelected = -1;
    QString m_strNome;
    QString m_strDescrizione;
    bool m_bNameFocus = false;
};
