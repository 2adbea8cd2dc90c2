#pragma once

#include "recordset/CQTRDaoRecordset.h"
#include "recordset/schema/QtrColumns.h"

// Table ModuliOpzioniLingue: a form option's text per language.
class CModuliOpzioniLingueSet : public CQTRDaoRecordset
{
public:
    explicit CModuliOpzioniLingueSet(CDaoDatabase* pDatabase = nullptr);

    QString GetDefaultSQL() override;
    QString GetDefaultDBName() override;
    void DoFieldExchange(CDaoFieldExchange* pFX) override;

#define QTR_COLUMN QTR_MEMBER
#include "recordset/schema/tables/ModuliOpzioniLingue.def"
#undef QTR_COLUMN
};
