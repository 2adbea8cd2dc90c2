#pragma once

#include "recordset/CQTRDaoRecordset.h"
#include "recordset/schema/QtrColumns.h"

// Table OrdiniDettaglio: order lines.
class COrdiniDettaglioSet : public CQTRDaoRecordset
{
public:
    explicit COrdiniDettaglioSet(CDaoDatabase* pDatabase = nullptr);

    QString GetDefaultSQL() override;
    QString GetDefaultDBName() override;
    void DoFieldExchange(CDaoFieldExchange* pFX) override;

#define QTR_COLUMN QTR_MEMBER
#include "recordset/schema/tables/OrdiniDettaglio.def"
#undef QTR_COLUMN
};
