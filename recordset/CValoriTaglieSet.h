#pragma once

#include "recordset/CQTRDaoRecordset.h"
#include "recordset/schema/QtrColumns.h"

// Table ValoriTaglie: size tables.
class CValoriTaglieSet : public CQTRDaoRecordset
{
public:
    explicit CValoriTaglieSet(CDaoDatabase* pDatabase = nullptr);

    QString GetDefaultSQL() override;
    QString GetDefaultDBName() override;
    void DoFieldExchange(CDaoFieldExchange* pFX) override;

#define QTR_COLUMN QTR_MEMBER
#include "recordset/schema/tables/ValoriTaglie.def"
#undef QTR_COLUMN
};
