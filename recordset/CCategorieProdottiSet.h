#pragma once

#include "recordset/CQTRDaoRecordset.h"
#include "recordset/schema/QtrColumns.h"

// Table CategorieProdotti: links between products and their categories.
class CCategorieProdottiSet : public CQTRDaoRecordset
{
public:
    explicit CCategorieProdottiSet(CDaoDatabase* pDatabase = nullptr);

    QString GetDefaultSQL() override;
    QString GetDefaultDBName() override;
    void DoFieldExchange(CDaoFieldExchange* pFX) override;

#define QTR_COLUMN QTR_MEMBER
#include "recordset/schema/tables/CategorieProdotti.def"
#undef QTR_COLUMN
};
