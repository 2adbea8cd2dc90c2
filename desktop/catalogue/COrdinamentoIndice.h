#pragma once

#include "desktop/catalogue/CCatalogueJob.h"

#include <QString>

class CDaoDatabase;

// Rewrites the index sort key (ProdottiLingue.Sort) of every language row
// after the merchant changes the order of the product index: by mode, the
// product's code or one of the row's own texts, cut to 20 characters, or
// empty for the merchant's own order. Every rewritten row is saved through
// its table class, so it is uploaded next time. Works on db/tempdb.mdb and
// puts it in place with one rename; a stop leaves the database as it was.
class COrdinamentoIndice : public CCatalogueJob
{
public:
    // The general parameters' choices, by index; the first is the default.
    enum Mode { Custom = 0, Code, Name, InvoiceText, ShortText, LongText };
    static constexpr int kModeCount = 6;
    static constexpr int kSortLength = 20;

    // The mode a choice stands for: no choice (-1, or the 255 an empty
    // selection used to be stored as) is the first mode.
    static int ModeOf(int choice);

    COrdinamentoIndice(CDaoDatabase& project, const QString& projectFolder, int choice);

    int Mode() const { return m_nMode; }

private:
    Result WorkOnCopy(CDaoDatabase& copy, ICatalogueProgress& progress) override;

    int m_nMode;
};
