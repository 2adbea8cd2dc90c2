#pragma once

#include "desktop/customers/CClientiCollegamenti.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

class CDaoDatabase;
class CGruppiSet;

// The fields of a group as the view's controls hold them.
struct GruppoForm
{
    QString strNome;
    int nListino = -1;          // position in "Prezzo 1" .. "Prezzo 4"; -1 none
    QString strValiditaDal;     // date texts as typed
    QString strValiditaAl;
    QString strScontoPredefinito;
    QString strScontoPeriodo;
};

// The rules of "Archivio gruppi" without widgets: the groups in a list, one
// editor for a new or the selected group, and the members moved in and
// out at once (CClientiCollegamenti). Every write is a tracked save.
class CGruppiViewCore
{
public:
    struct Entry
    {
        qint32 nID = 0;
        QString strNome;
    };
    struct Buttons
    {
        bool bAdd = true;
        bool bSave = false;
        bool bDelete = false;
    };

    static const QStringList& ListinoTexts();

    explicit CGruppiViewCore(CDaoDatabase& db);
    ~CGruppiViewCore();

    GruppoForm& Form() { return m_form; }
    // The groups sorted by name, as the list box shows them.
    const QList<Entry>& Groups() const { return m_groups; }
    qint32 Selected() const { return m_nSelected; }
    Buttons GetButtons() const;
    bool TakeNameFocus();
    CClientiCollegamenti& Members() { return m_members; }

    void Select(qint32 id);
    // The "Utenti" tab is shown (or left): its lists are filled for the
    // selected group, or emptied.
    void ShowMembers(bool shown);
    bool Add();
    bool Save();
    void Delete();

private:
    void LoadGroups();
    void Deselect();
    bool Refuse();
    void WriteForm(CGruppiSet& row);

    CDaoDatabase& m_db;
    std::unique_ptr<CGruppiSet> m_pGruppi;
    CClientiCollegamenti m_members;
    QList<Entry> m_groups;
    GruppoForm m_form;
    qint32 m_nSelected = 0;
    bool m_bMembersShown = false;
    bool m_bNameFocus = false;
};
