#pragma once

#include "recordset/CQTRDaoRecordset.h"
#include "recordset/schema/QtrColumns.h"

// Table Articoli: the site's articles.
class CArticoliGenSet : public CQTRDaoRecordset
{
public:
    explicit CArticoliGenSet(CDaoDatabase* pDatabase = nullptr);

    QString GetDefaultSQL() override;
    QString GetDefaultDBName() override;
    void DoFieldExchange(CDaoFieldExchange* pFX) override;
    // Deletes the current row with what hangs on it, in one transaction;
    // its files go once the rows are gone for good.
    void Delete() override;

    // Set before Open: one row per SezioniArticoli link, with its joined column.
    bool m_bJoin = false;

#define QTR_COLUMN QTR_MEMBER
#include "recordset/schema/tables/Articoli.def"
#undef QTR_COLUMN
};
