#pragma once

#include "desktop/content/CModuliCampiCore.h"

#include <QString>
#include <QVector>

#include <functional>

class CDaoDatabase;

// The rules of "Moduli", the site's forms, without widgets: one form at a
// time with its code, mail address and subject and its name and
// description in the editing language, the record buttons, the insertion
// with a reserved ID (always in the default language), the save with its
// checks, the cascading delete; and the form's field grid
// (CModuliCampiCore). The widget copies its edits into GetForm() before
// each call and shows it after.
class CModuliViewCore
{
public:
    enum Field { NoField, CodiceField, NomeField, EmailField, OggettoField };
    static constexpr int kCodeLength = 20;

    struct Form
    {
        QString codice;
        QString nome;
        QString descrizione;
        QString email;
        QString oggetto;
        bool operator==(const Form& other) const = default;
    };

    CModuliViewCore(CDaoDatabase& database, CGridCore& grid);

    void SetLanguages(const QString& current, const QString& fallback);
    void Start();
    // Another editing language: the shown form's texts in it.
    void RefreshLanguage(const QString& current, const QString& fallback);

    Form& GetForm() { return m_form; }
    CModuliCampiCore& Fields() { return m_fields; }
    const QString& CurrentLanguage() const { return m_strCurrent; }
    const QString& DefaultLanguage() const { return m_strDefault; }
    bool IsInserting() const { return m_bInserting; }
    qint32 ReservedID() const { return m_nReserved; }
    bool IsEmptyArchive() const { return m_ids.isEmpty(); }
    bool IsEditingEnabled() const { return !m_ids.isEmpty() || m_bInserting; }
    qint32 CurrentID() const;

    std::function<void()> m_selectDefaultLanguage;
    std::function<void(Field)> m_focus;

    bool IsCommandEnabled(int id) const;
    bool IsCommandChecked(int id) const;
    void OnCommand(int id);
    void ToggleInsert();
    bool SaveNew();
    void Delete();

    bool IsRecordModified() const;
    bool SaveRecord();

private:
    bool OnRecord() const { return m_nPos >= 0 && m_nPos < m_ids.size(); }
    void LoadIds();
    void MoveTo(int position);
    void Show();
    bool Check(qint32 self, bool adding);
    bool Refuse(const QString& text, Field field);
    void WriteTexts(qint32 form, const QString& language);

    CDaoDatabase& m_db;
    CModuliCampiCore m_fields;
    QString m_strCurrent;
    QString m_strDefault;
    QVector<qint32> m_ids;
    int m_nPos = -1;
    bool m_bInserting = false;
    qint32 m_nReserved = 0;
    Form m_form;
    Form m_shown;
};
