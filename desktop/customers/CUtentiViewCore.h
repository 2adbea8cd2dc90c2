#pragma once

#include "desktop/customers/CUtentiInteressi.h"
#include "desktop/customers/CUtentiRelazioni.h"
#include "desktop/customers/UtenteForm.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class CClientiSet;
class CDaoCriteria;
class CDaoDatabase;
class CLingueSet;

// The rules of "Archivio utenti" without widgets: the rows of Clienti one at
// a time, the record commands, insertion with a reserved ID, the
// query-by-form filter, the save that leaving a row does unasked, the
// cascading delete, and the pages' lists (CUtentiRelazioni) and interests
// (CUtentiInteressi). The widget copies its controls into Form() before
// each call and shows Form() and Controls() after it.
class CUtentiViewCore
{
public:
    enum Tipo { B2B = 0, B2C = 1, Mailing = 2, Agente = 3, Destinatario = 4 };
    enum FilterState { FilterNone = 0, FilterEntering = 1, FilterActive = 2 };
    enum Focus { FocusNone, FocusRagioneSociale, FocusUserID };
    enum FifthTab { NoFifthTab, TabClienti, TabDestinatari };

    // What the widget enables and how it titles the pages.
    struct Controls
    {
        bool bData = false;          // the data controls (and the tab control)
        bool bTabs = false;
        bool bMainReadOnly = false;  // the anonymous user's main fields and Generale page
        bool bTipo = true;
        bool bLogin = true;          // "User ID" and "Password"
        bool bCliente = false;       // "Cliente" of the Relazioni page
        bool bFilterEntry = false;   // only the three name fields take text
        FifthTab fifth = NoFifthTab;
        QString strScontoPredefinito = QStringLiteral("Sconto predefinito");
        QString strScontoPeriodo = QStringLiteral("Sconto per periodo");
    };

    static const QStringList& TipoTexts();
    static const QStringList& ListinoTexts();
    // The Generale page: column, label, maximum length.
    struct Field
    {
        const char* column;
        const char* label;
        int length;
    };
    static const QList<Field>& GeneraleFields();

    // The languages are the main window's editing and default ones (codes).
    CUtentiViewCore(CDaoDatabase& db, const QString& currentLanguage, const QString& defaultLanguage);
    ~CUtentiViewCore();

    UtenteForm& Form() { return m_form; }
    const Controls& GetControls() const { return m_controls; }
    Focus TakeFocus();
    CUtentiRelazioni& Relazioni() { return m_relazioni; }
    CUtentiInteressi& Interessi() { return m_interessi; }
    // The active languages of "Lingua": ID and description.
    const QList<std::pair<qint32, QString>>& Lingue() const { return m_lingue; }

    bool IsEmpty() const;
    bool IsInserting() const { return m_bInserting; }
    int GetFilterState() const { return m_nFilter; }
    qint32 CurrentID() const { return m_nCurrentID; }
    qint32 ReservedID() const { return m_nReserved; }
    // Grows when the agent and customer lists of the Relazioni page must be
    // filled again (a save or delete changed who is an agent or a customer).
    int ListsVersion() const { return m_nListsVersion; }
    bool IsFirst() const;
    bool IsLast() const;

    // The record commands (TindaCommandIds) and their state.
    bool IsCommandEnabled(int id) const;
    bool IsCommandChecked(int id) const;
    void OnCommand(int id);

    void MoveFirst();
    void MovePrev();
    void MoveNext();
    void MoveLast();
    void ToggleInsert();
    bool SaveNewRecord();
    void Delete();
    void Filter();
    void ApplyFilter();

    bool IsRecordModified();
    bool SaveRecord();
    // "Tipo utente" changed in the form: the login fields and "Cliente".
    void ChangeKind(int kind);
    // "Gruppo" changed in the form: may offer to delete the user's own rights.
    void ChangeGroup(qint32 groupId);
    // A password made up for the merchant to hand on: put in the form, to
    // be stored (hashed) by the next save; the widget shows it this once.
    QString GeneratePassword();

    // Shows the current row (or a blank form).
    void DisplayRecord();

private:
    void OpenCustomers();
    bool LeaveRecord();
    bool UserIdTaken(const QString& userId, qint32 exceptId);
    bool Refuse(const QString& text, Focus focus);
    void WriteForm(CClientiSet& row, bool inserting);
    void WriteDate(CClientiSet& row, const char* column, const QString& text);
    void WriteNullableText(CClientiSet& row, const char* column, const QString& text);
    void WriteNumber(CClientiSet& row, const char* column, const QString& text, bool nullWhenEmpty);
    QString LanguageCode(qint32 languageId) const;
    qint32 LanguageId(const QString& code) const;
    void CopyDefaultRights(qint32 customerId);
    void BlankForm();
    void SetDataControls(bool on);
    void RefreshLists(int oldKind, int newKind);
    void GoTo(qint32 id);
    void Refilter(const CDaoCriteria& filter);
    void ApplyKind(int kind);

    CDaoDatabase& m_db;
    qint32 m_nDefaultLanguageId = 0;
    std::unique_ptr<CClientiSet> m_pClienti;
    QList<std::pair<qint32, QString>> m_lingue;      // active languages: ID, description
    QList<std::pair<qint32, QString>> m_codici;      // active languages: ID, code
    CUtentiRelazioni m_relazioni;
    CUtentiInteressi m_interessi;

    UtenteForm m_form;
    Controls m_controls;
    Focus m_focus = FocusNone;
    bool m_bInserting = false;
    int m_nFilter = FilterNone;
    qint32 m_nReserved = 0;
    qint32 m_nCurrentID = -1;
    int m_nListsVersion = 0;
};
