#pragma once

#include "recordset/CQTRDaoRecordset.h"
#include "recordset/schema/QtrColumns.h"

// Table OTPRichieste: one-time passwords of the card gateway: requests.
class COTPRichiesteSet : public CQTRDaoRecordset
{
public:
    explicit COTPRichiesteSet(CDaoDatabase* pDatabase = nullptr);

    QString GetDefaultSQL() override;
    QString GetDefaultDBName() override;
    void DoFieldExchange(CDaoFieldExchange* pFX) override;

#define QTR_COLUMN QTR_MEMBER
#include "recordset/schema/tables/OTPRichieste.def"
#undef QTR_COLUMN
};
