#pragma once

#include <QString>
#include <QVector>

class CDaoDatabase;

// The editing-language selector without its window: the shop's active
// languages listed by description (as a sorted drop-down list shows them),
// the selection and the default language. The main frame mirrors it in its
// combo box.
class CLanguageList
{
public:
    struct LanguageEntry
    {
        qint32 nId = 0;     // Lingue.ID
        QString strCode;    // Lingue.Codice
    };

    struct ListItem
    {
        QString strText;    // Lingue.Descrizione
        int nData = -1;     // index into m_aLanguages
    };

    // Reads the default language from Configurazione and the active rows of
    // Lingue. False, with the list emptied, when no language is active.
    bool LoadLanguages(CDaoDatabase& database);
    void ResetLanguages();

    int GetCount() const { return int(m_items.size()); }
    const ListItem& GetItem(int index) const { return m_items.at(index); }
    int GetCurSel() const { return m_nCurSel; }
    // Out-of-range indexes select nothing.
    void SetCurSel(int index);

    // Codes of the selected and the default item; empty while the list is
    // empty.
    QString GetCurrentLanguage() const;
    QString GetDefaultLanguage() const;
    bool IsDefaultLanguageSelected() const;
    void SelectDefaultLanguage();
    int GetDefaultLanguageIndex() const { return m_nDefaultLanguageIndex; }

private:
    QString CodeAt(int index) const;
    int InsertSorted(const QString& text);

    int m_nDefaultLanguageIndex = -1;
    qint32 m_nDefaultLanguageId = 0;
    QVector<LanguageEntry> m_aLanguages;
    QVector<ListItem> m_items;
    int m_nCurSel = -1;
};
