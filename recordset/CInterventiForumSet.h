#pragma once

#include "recordset/CQTRDaoRecordset.h"
#include "recordset/schema/QtrColumns.h"

// Table InterventiForum: forum posts.
class CInterventiForumSet : public CQTRDaoRecordset
{
public:
    explicit CInterventiForumSet(CDaoDatabase* pDatabase = nullptr);

    QString GetDefaultSQL() override;
    QString GetDefaultDBName() override;
    void DoFieldExchange(CDaoFieldExchange* pFX) override;

#define QTR_COLUMN QTR_MEMBER
#include "recordset/schema/tables/InterventiForum.def"
#undef QTR_COLUMN
};
