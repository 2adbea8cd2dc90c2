#pragma once

#include "recordset/CQTRDaoRecordset.h"
#include "recordset/schema/QtrColumns.h"

// Table DefinizioneCampiCustom: the custom fields of products, per category.
class CDefCampiCustomSet : public CQTRDaoRecordset
{
public:
    explicit CDefCampiCustomSet(CDaoDatabase* pDatabase = nullptr);

    QString GetDefaultSQL() override;
    QString GetDefaultDBName() override;
    void DoFieldExchange(CDaoFieldExchange* pFX) override;

#define QTR_COLUMN QTR_MEMBER
#include "recordset/schema/tables/DefinizioneCampiCustom.def"
#undef QTR_COLUMN
};
