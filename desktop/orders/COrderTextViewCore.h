#pragma once

#include <QString>

#include <memory>
#include <optional>

class CDaoDatabase;
class CQTRDaoRecordset;

// The rules of the order texts view: one per-language text of table
// CondizioniVendita (terms of sale) or TestoNotificaOrdine (the text added
// to the customer's order mail). The text of the selected language is
// shown, else the default language's; a change is saved, unasked, under
// the language it was loaded for, adding that language's row when missing.
class COrderTextViewCore
{
public:
    enum Kind { CondizioniVendita, NotificaCliente };

    COrderTextViewCore(CDaoDatabase& db, Kind kind, const QString& defaultLanguage);
    ~COrderTextViewCore();

    // The text for language, or nothing on an empty table (the field keeps
    // what it holds).
    std::optional<QString> LoadText(const QString& language);
    bool IsTextModified(const QString& typed);
    void SaveText(const QString& typed);
    // The language changed: a changed text is saved first.
    std::optional<QString> RefreshLanguage(const QString& typed, const QString& language);

private:
    bool FindLanguage(const QString& language);
    QString& Testo();

    Kind m_kind;
    QString m_strDefaultLanguage;
    QString m_strSavingLanguage;
    std::unique_ptr<CQTRDaoRecordset> m_pSet;
};
