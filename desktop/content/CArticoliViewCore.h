#pragma once

#include "desktop/shell/app/CRecordCommands.h"
#include "desktop/content/ArticoloForm.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QVector>

#include <functional>

class CDaoDatabase;

// The rules of the article card, without widgets: the site's articles in
// their order (Ordine), the one shown with its texts in the editing
// language (the default language's row as fallback), the record buttons,
// the three-state filter, the insertion with a reserved ID, the save with
// its keywords, the cascading delete, the section ticks (written at once)
// and the tab rules. The widget copies its controls into Form() before each
// call and shows Form() and the state after it.
class CArticoliViewCore : public CRecordCommands
{
public:
    enum Tab { TabGenerale, TabAvanzate, TabLink, TabFiles, TabCount };
    enum FilterMode { FilterNone, FilterEntering, FilterActive };
    static constexpr int kCodeLength = 20;

    struct Entry
    {
        qint32 nId = 0;
        QString strText;
    };

    CArticoliViewCore(CDaoDatabase& database, const QString& projectFolder);

    void SetLanguages(const QString& current, const QString& fallback);
    // Reads the template and form lists and shows the first article.
    void Start();
    // Before the editing language changes: what was typed is saved in the
    // language being left; false when that save fails.
    bool LeaveLanguage();
    // Another editing language: the shown article's texts in it.
    void RefreshLanguage(const QString& current, const QString& fallback);

    ArticoloForm& Form() { return m_form; }
    const ArticoloForm& Form() const { return m_form; }
    // "Predefinito" (0) and the templates; "Nessuno" (0) and the forms.
    const QList<Entry>& Templates() const { return m_templates; }
    const QList<Entry>& Forms() const { return m_forms; }
    void ReadTemplates();
    void ReadForms();

    bool IsInserting() const { return m_bInserting; }
    qint32 ReservedID() const { return m_nReserved; }
    int GetFilterMode() const { return m_nFilterMode; }
    bool IsEmptyArchive() const { return m_bEmpty; }
    bool IsEditingEnabled() const { return !m_bEmpty || m_bInserting; }
    // The shown article's ID; 0 when none (empty, inserting).
    qint32 CurrentID() const;
    int Count() const { return m_ids.size(); }
    const QSet<qint32>& Ticked() const { return m_ticked; }
    qint32 FilterSection() const { return m_nFilterSection; }
    // The section whose articles the reply picker lists first.
    qint32 PickerSection() const { return m_nPickerSection; }
    // Title and text of the shown article, on two lines.
    QString Preview() const { return m_strPreview; }
    // Grows each time the card shows an article (or a blank form), so the
    // pages know when to load again.
    int ShownCount() const { return m_nShown; }
    int CurrentTab() const { return m_nTab; }
    QString FilesFolder() const;
    const QString& CurrentLanguage() const { return m_strCurrent; }
    const QString& DefaultLanguage() const { return m_strDefault; }

    // The main frame's selection of the default language; the focus to the
    // code after a refusal; the correlations of an article.
    std::function<void()> m_selectDefaultLanguage;
    std::function<void()> m_focusCode;
    std::function<void(qint32 id, const QString& code)> m_openCorrelations;

    // The record commands (TindaCommandIds) and their state.
    bool IsCommandEnabled(int id) const override;

    void MoveFirst() override;
    void MovePrev() override;
    void MoveNext() override;
    void MoveLast() override;
    void ToggleInsert() override;
    bool SaveNew() override;
    void Delete() override;
    void Filter() override;
    void ApplyFilter();
    void Undo() override;

    bool IsRecordModified() const;
    bool SaveRecord();

    // A click on a section's box in the popup.
    void ClickSection(qint32 section);
    // Tab change: false when refused (the widget goes back).
    bool SelectTab(int tab);
    // The reply picker's choice (0: none).
    void ChooseReply(qint32 article);
    // The name of an article: title, else subtitle, else text of its
    // default-language row (of any row when it has none there).
    QString ArticleName(qint32 article) const;

protected:
    bool IsInsertOn() const override { return m_bInserting; }
    bool IsFilterOn() const override { return m_nFilterMode != FilterNone; }
    void OnOtherCommand(int id) override;

private:
    bool IsOnRecord() const { return m_nPos >= 0 && m_nPos < m_ids.size(); }
    bool IsFirst() const { return m_nPos <= 0; }
    bool IsLast() const { return m_nPos < 0 || m_nPos + 1 >= m_ids.size(); }
    void LoadAll();
    bool LoadFiltered();
    void MoveTo(int position);
    void ShowRecord();
    void BlankForm();
    void EmptyArchive();
    bool LeaveRecord();
    bool CheckCode(const QString& code, qint32 self, bool searchEmpty);
    void WriteArticle(qint32 id, bool adding);
    void WriteLanguageRow(qint32 article);
    void WriteKeywords(qint32 article);
    void ReadTicks(qint32 article);
    void EndFilter();

    CDaoDatabase& m_db;
    QString m_strProjectFolder;   // ends with "/"
    QString m_strCurrent;
    QString m_strDefault;
    QList<Entry> m_templates;
    QList<Entry> m_forms;

    QVector<qint32> m_ids;
    int m_nPos = -1;
    bool m_bEmpty = true;
    bool m_bInserting = false;
    qint32 m_nReserved = 0;
    int m_nFilterMode = FilterNone;
    qint32 m_nFilterSection = 0;
    qint32 m_nPickerSection = 0;
    int m_nTab = TabGenerale;
    int m_nShown = 0;

    ArticoloForm m_form;
    ArticoloForm m_shown;          // the form as the shown article filled it
    qint32 m_nLanguageRow = 0;     // ArticoliLingue.ID shown, 0 none
    QString m_strRowLanguage;      // its CodiceLingua
    QString m_strPreview;
    QSet<qint32> m_ticked;
};
