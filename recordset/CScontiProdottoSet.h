#pragma once

#include "recordset/CQTRDaoRecordset.h"
#include "recordset/schema/QtrColumns.h"

// Table ScontiProdotto: discounts and promotional prices.
class CScontiProdottoSet : public CQTRDaoRecordset
{
public:
    explicit CScontiProdottoSet(CDaoDatabase* pDatabase = nullptr);

    QString GetDefaultSQL() override;
    QString GetDefaultDBName() override;
    void DoFieldExchange(CDaoFieldExchange* pFX) override;

#define QTR_COLUMN QTR_MEMBER
#include "recordset/schema/tables/ScontiProdotto.def"
#undef QTR_COLUMN
};
