#pragma once

#include "desktop/catalogue/ProdottoForm.h"
#include "desktop/catalogue/TaglieProdotto.h"

#include <QString>

class CDaoDatabase;
class CProdottiGeneraleSet;
class CProdottiLingueSet;

// What the card read of one product: its form in the editing language
// (the default language's row as fallback, without its prices), the
// language row's ID (0 none), its sort key and custom text, the sizes.
struct ProdottoLetto
{
    ProdottoForm form;
    qint32 languageRow = 0;
    bool fallback = false;
    QString sort;
    QString campiCustom;
    TaglieProdotto taglie;
};

// What a save writes besides the form.
struct ProdottoScrittura
{
    QString language;         // the editing language
    qint32 languageRow = 0;   // the row to edit; 0 adds one in language
    QString campiCustom;
    QString sort;
    TaglieProdotto taglie;
    bool flagPicture = false;  // a new picture: a new VersioneFoto, ModificataFoto
};

// The rows of one product as the card reads and writes them through the
// table classes: Prodotti, its ProdottiLingue row and its search words in
// ParoleChiave, each flagged for the upload.
class CProdottoRighe
{
public:
    explicit CProdottoRighe(CDaoDatabase& database) : m_db(database) {}

    // The current row of product, in current or else in fallback.
    ProdottoLetto Read(CProdottiGeneraleSet& product, const QString& current, const QString& fallback) const;
    // Edits the current row of product and its language row.
    void Save(CProdottiGeneraleSet& product, const ProdottoForm& form, const ProdottoScrittura& write) const;
    // Adds product id (a variant of base, 0 none) with its language row.
    void Insert(qint32 id, qint32 base, const ProdottoForm& form, const ProdottoScrittura& write) const;
    // Keywords = code + "/" + the words of the texts and custom values.
    void UpdateKeywords(qint32 product, const QString& language, const ProdottoForm& form,
                        const QString& campiCustom) const;

    // The search words of a CampiCustom text: its values, run together.
    static QString CustomWords(const QString& campiCustom);
    // The same non-empty values under the same names.
    static bool SameCustomValues(const QString& a, const QString& b);

private:
    template <class TSet> static void WriteProduct(TSet& product, const ProdottoForm& form);
    template <class TSet> static void WriteLanguage(TSet& row, const ProdottoForm& form);
    static void StartLanguageRow(CProdottiLingueSet& row, qint32 rowId, qint32 product, const QString& language);
    void FlagPicture(CProdottiGeneraleSet& product) const;

    CDaoDatabase& m_db;
};
