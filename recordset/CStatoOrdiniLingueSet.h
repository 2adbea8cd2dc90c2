#pragma once

#include "recordset/CQTRDaoRecordset.h"
#include "recordset/schema/QtrColumns.h"

// Table StatoOrdiniLingue: an order state's text per language.
class CStatoOrdiniLingueSet : public CQTRDaoRecordset
{
public:
    explicit CStatoOrdiniLingueSet(CDaoDatabase* pDatabase = nullptr);

    QString GetDefaultSQL() override;
    QString GetDefaultDBName() override;
    void DoFieldExchange(CDaoFieldExchange* pFX) override;

#define QTR_COLUMN QTR_MEMBER
#include "recordset/schema/tables/StatoOrdiniLingue.def"
#undef QTR_COLUMN
};
