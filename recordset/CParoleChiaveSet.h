#pragma once

#include "recordset/CQTRDaoRecordset.h"
#include "recordset/schema/QtrColumns.h"

// Table ParoleChiave: search words of a record per language.
class CParoleChiaveSet : public CQTRDaoRecordset
{
public:
    explicit CParoleChiaveSet(CDaoDatabase* pDatabase = nullptr);

    QString GetDefaultSQL() override;
    QString GetDefaultDBName() override;
    void DoFieldExchange(CDaoFieldExchange* pFX) override;

#define QTR_COLUMN QTR_MEMBER
#include "recordset/schema/tables/ParoleChiave.def"
#undef QTR_COLUMN
};
