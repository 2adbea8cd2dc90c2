#pragma once

#include "recordset/CQTRDaoRecordset.h"
#include "recordset/schema/QtrColumns.h"

// Table ArticoliLingue: an article's texts per language.
class CArticoliLinSet : public CQTRDaoRecordset
{
public:
    explicit CArticoliLinSet(CDaoDatabase* pDatabase = nullptr);

    QString GetDefaultSQL() override;
    QString GetDefaultDBName() override;
    void DoFieldExchange(CDaoFieldExchange* pFX) override;

#define QTR_COLUMN QTR_MEMBER
#include "recordset/schema/tables/ArticoliLingue.def"
#undef QTR_COLUMN
};
