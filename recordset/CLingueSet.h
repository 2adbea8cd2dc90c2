#pragma once

#include "recordset/CQTRDaoRecordset.h"
#include "recordset/schema/QtrColumns.h"

// Table Lingue: the shop's languages.
class CLingueSet : public CQTRDaoRecordset
{
public:
    explicit CLingueSet(CDaoDatabase* pDatabase = nullptr);

    QString GetDefaultSQL() override;
    QString GetDefaultDBName() override;
    void DoFieldExchange(CDaoFieldExchange* pFX) override;

#define QTR_COLUMN QTR_MEMBER
#include "recordset/schema/tables/Lingue.def"
#undef QTR_COLUMN
};
