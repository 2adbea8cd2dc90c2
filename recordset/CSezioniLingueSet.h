#pragma once

#include "recordset/CQTRDaoRecordset.h"
#include "recordset/schema/QtrColumns.h"

// Table SezioniLingue: a section's name and description per language.
class CSezioniLingueSet : public CQTRDaoRecordset
{
public:
    explicit CSezioniLingueSet(CDaoDatabase* pDatabase = nullptr);

    QString GetDefaultSQL() override;
    QString GetDefaultDBName() override;
    void DoFieldExchange(CDaoFieldExchange* pFX) override;

#define QTR_COLUMN QTR_MEMBER
#include "recordset/schema/tables/SezioniLingue.def"
#undef QTR_COLUMN
};
