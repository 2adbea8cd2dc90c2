#pragma once

#include "recordset/CQTRDaoRecordset.h"
#include "recordset/schema/QtrColumns.h"

// Table ArgomentiLingue: a topic's name and description per language.
class CArgomentiLingueSet : public CQTRDaoRecordset
{
public:
    explicit CArgomentiLingueSet(CDaoDatabase* pDatabase = nullptr);

    QString GetDefaultSQL() override;
    QString GetDefaultDBName() override;
    void DoFieldExchange(CDaoFieldExchange* pFX) override;

#define QTR_COLUMN QTR_MEMBER
#include "recordset/schema/tables/ArgomentiLingue.def"
#undef QTR_COLUMN
};
