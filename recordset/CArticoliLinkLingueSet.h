#pragma once

#include "recordset/CQTRDaoRecordset.h"
#include "recordset/schema/QtrColumns.h"

// Table ArticoliLinkLingue: an article link's title and description per language.
class CArticoliLinkLingueSet : public CQTRDaoRecordset
{
public:
    explicit CArticoliLinkLingueSet(CDaoDatabase* pDatabase = nullptr);

    QString GetDefaultSQL() override;
    QString GetDefaultDBName() override;
    void DoFieldExchange(CDaoFieldExchange* pFX) override;

#define QTR_COLUMN QTR_MEMBER
#include "recordset/schema/tables/ArticoliLinkLingue.def"
#undef QTR_COLUMN
};
