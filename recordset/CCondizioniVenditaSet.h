#pragma once

#include "recordset/CQTRDaoRecordset.h"
#include "recordset/schema/QtrColumns.h"

// Table CondizioniVendita: the terms of sale per language.
class CCondizioniVenditaSet : public CQTRDaoRecordset
{
public:
    explicit CCondizioniVenditaSet(CDaoDatabase* pDatabase = nullptr);

    QString GetDefaultSQL() override;
    QString GetDefaultDBName() override;
    void DoFieldExchange(CDaoFieldExchange* pFX) override;

#define QTR_COLUMN QTR_MEMBER
#include "recordset/schema/tables/CondizioniVendita.def"
#undef QTR_COLUMN
};
