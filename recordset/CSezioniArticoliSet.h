#pragma once

#include "recordset/CQTRDaoRecordset.h"
#include "recordset/schema/QtrColumns.h"

// Table SezioniArticoli: links between articles and their sections.
class CSezioniArticoliSet : public CQTRDaoRecordset
{
public:
    explicit CSezioniArticoliSet(CDaoDatabase* pDatabase = nullptr);

    QString GetDefaultSQL() override;
    QString GetDefaultDBName() override;
    void DoFieldExchange(CDaoFieldExchange* pFX) override;

#define QTR_COLUMN QTR_MEMBER
#include "recordset/schema/tables/SezioniArticoli.def"
#undef QTR_COLUMN
};
