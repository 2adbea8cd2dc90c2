#pragma once

#include "recordset/CQTRDaoRecordset.h"
#include "recordset/schema/QtrColumns.h"

// Table ArticoliLink: links listed with an article.
class CArticoliLinkSet : public CQTRDaoRecordset
{
public:
    explicit CArticoliLinkSet(CDaoDatabase* pDatabase = nullptr);

    QString GetDefaultSQL() override;
    QString GetDefaultDBName() override;
    void DoFieldExchange(CDaoFieldExchange* pFX) override;
    // Deletes the current row with what hangs on it, in one transaction;
    // its files go once the rows are gone for good.
    void Delete() override;

#define QTR_COLUMN QTR_MEMBER
#include "recordset/schema/tables/ArticoliLink.def"
#undef QTR_COLUMN
};
