#pragma once

#include "recordset/CQTRDaoRecordset.h"
#include "recordset/schema/QtrColumns.h"

// Table InteressiLingue: an interest's name and description per language.
class CInteressiLingueSet : public CQTRDaoRecordset
{
public:
    explicit CInteressiLingueSet(CDaoDatabase* pDatabase = nullptr);

    QString GetDefaultSQL() override;
    QString GetDefaultDBName() override;
    void DoFieldExchange(CDaoFieldExchange* pFX) override;

#define QTR_COLUMN QTR_MEMBER
#include "recordset/schema/tables/InteressiLingue.def"
#undef QTR_COLUMN
};
