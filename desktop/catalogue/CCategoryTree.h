#pragma once

#include "desktop/shell/controls/CIdTree.h"

class CDaoDatabase;

// The categories as the catalogue's choosers show them: a root "Tutte le
// categorie" (ID 0), then each level from the top sorted by Ordine, every
// category named in the editing language or, when it has no name there,
// in the default language. Loaded once; the popup and tests read it.
// Categories whose parent is not reached from the root are not shown.
class CCategoryTree : public CIdTree
{
public:
    static QString AllCategoriesText() { return QStringLiteral("Tutte le categorie"); }

    void Load(CDaoDatabase& database, const QString& currentLanguage, const QString& defaultLanguage);

    // The name shown for category id ("Tutte le categorie" for 0); empty
    // when there is no such category.
    QString NameOf(qint32 id) const;
};
