#pragma once

#include "recordset/CQTRDaoRecordset.h"
#include "recordset/schema/QtrColumns.h"

// Table ChiSiamo: the company page per language.
class CChiSiamoSet : public CQTRDaoRecordset
{
public:
    explicit CChiSiamoSet(CDaoDatabase* pDatabase = nullptr);

    QString GetDefaultSQL() override;
    QString GetDefaultDBName() override;
    void DoFieldExchange(CDaoFieldExchange* pFX) override;

#define QTR_COLUMN QTR_MEMBER
#include "recordset/schema/tables/ChiSiamo.def"
#undef QTR_COLUMN
};
