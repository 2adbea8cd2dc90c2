#pragma once

#include "recordset/CQTRDaoRecordset.h"
#include "recordset/schema/QtrColumns.h"

// Table Opzioni: the site's option switches.
class COpzioniSet : public CQTRDaoRecordset
{
public:
    explicit COpzioniSet(CDaoDatabase* pDatabase = nullptr);

    QString GetDefaultSQL() override;
    QString GetDefaultDBName() override;
    void DoFieldExchange(CDaoFieldExchange* pFX) override;

#define QTR_COLUMN QTR_MEMBER
#include "recordset/schema/tables/Opzioni.def"
#undef QTR_COLUMN
};
