#pragma once

#include "recordset/CQTRDaoRecordset.h"
#include "recordset/schema/QtrColumns.h"

// Table Valute: currencies; ID 1 is the euro.
class CValuteSet : public CQTRDaoRecordset
{
public:
    explicit CValuteSet(CDaoDatabase* pDatabase = nullptr);

    QString GetDefaultSQL() override;
    QString GetDefaultDBName() override;
    void DoFieldExchange(CDaoFieldExchange* pFX) override;

#define QTR_COLUMN QTR_MEMBER
#include "recordset/schema/tables/Valute.def"
#undef QTR_COLUMN
};
