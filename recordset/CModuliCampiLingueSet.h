#pragma once

#include "recordset/CQTRDaoRecordset.h"
#include "recordset/schema/QtrColumns.h"

// Table ModuliCampiLingue: a form field's name per language.
class CModuliCampiLingueSet : public CQTRDaoRecordset
{
public:
    explicit CModuliCampiLingueSet(CDaoDatabase* pDatabase = nullptr);

    QString GetDefaultSQL() override;
    QString GetDefaultDBName() override;
    void DoFieldExchange(CDaoFieldExchange* pFX) override;

#define QTR_COLUMN QTR_MEMBER
#include "recordset/schema/tables/ModuliCampiLingue.def"
#undef QTR_COLUMN
};
