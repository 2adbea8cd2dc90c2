#pragma once

#include "recordset/CQTRDaoRecordset.h"
#include "recordset/schema/QtrColumns.h"

// Table ProdottiLingue: a product's texts and prices per language.
class CProdottiLingueSet : public CQTRDaoRecordset
{
public:
    explicit CProdottiLingueSet(CDaoDatabase* pDatabase = nullptr);

    QString GetDefaultSQL() override;
    QString GetDefaultDBName() override;
    void DoFieldExchange(CDaoFieldExchange* pFX) override;

#define QTR_COLUMN QTR_MEMBER
#include "recordset/schema/tables/ProdottiLingue.def"
#undef QTR_COLUMN
};
