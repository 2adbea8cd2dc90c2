#pragma once

#include "recordset/CQTRDaoRecordset.h"
#include "recordset/schema/QtrColumns.h"

// Table ModuliLingue: a form's name and description per language.
class CModuliLingueSet : public CQTRDaoRecordset
{
public:
    explicit CModuliLingueSet(CDaoDatabase* pDatabase = nullptr);

    QString GetDefaultSQL() override;
    QString GetDefaultDBName() override;
    void DoFieldExchange(CDaoFieldExchange* pFX) override;

#define QTR_COLUMN QTR_MEMBER
#include "recordset/schema/tables/ModuliLingue.def"
#undef QTR_COLUMN
};
