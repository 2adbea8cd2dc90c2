#pragma once

#include "recordset/CQTRDaoRecordset.h"
#include "recordset/schema/QtrColumns.h"

// Table DizionarioLingue: a visitor message's text per language.
class CDizionarioLinSet : public CQTRDaoRecordset
{
public:
    explicit CDizionarioLinSet(CDaoDatabase* pDatabase = nullptr);

    QString GetDefaultSQL() override;
    QString GetDefaultDBName() override;
    void DoFieldExchange(CDaoFieldExchange* pFX) override;

#define QTR_COLUMN QTR_MEMBER
#include "recordset/schema/tables/DizionarioLingue.def"
#undef QTR_COLUMN
};
