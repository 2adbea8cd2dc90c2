#pragma once

#include "recordset/CQTRDaoRecordset.h"
#include "recordset/schema/QtrColumns.h"

// Table InteressiUtenti: the interests each customer chose.
class CInteressiUtentiSet : public CQTRDaoRecordset
{
public:
    explicit CInteressiUtentiSet(CDaoDatabase* pDatabase = nullptr);

    QString GetDefaultSQL() override;
    QString GetDefaultDBName() override;
    void DoFieldExchange(CDaoFieldExchange* pFX) override;

#define QTR_COLUMN QTR_MEMBER
#include "recordset/schema/tables/InteressiUtenti.def"
#undef QTR_COLUMN
};
