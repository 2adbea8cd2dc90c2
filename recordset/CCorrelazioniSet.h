#pragma once

#include "recordset/CQTRDaoRecordset.h"
#include "recordset/schema/QtrColumns.h"

// Table Correlazioni: links between two records of any kind.
class CCorrelazioniSet : public CQTRDaoRecordset
{
public:
    explicit CCorrelazioniSet(CDaoDatabase* pDatabase = nullptr);

    QString GetDefaultSQL() override;
    QString GetDefaultDBName() override;
    void DoFieldExchange(CDaoFieldExchange* pFX) override;

#define QTR_COLUMN QTR_MEMBER
#include "recordset/schema/tables/Correlazioni.def"
#undef QTR_COLUMN
};
