#pragma once

#include "recordset/CQTRDaoRecordset.h"
#include "recordset/schema/QtrColumns.h"

// Table OTPRisposte: one-time passwords of the card gateway: answers.
class COTPRisposteSet : public CQTRDaoRecordset
{
public:
    explicit COTPRisposteSet(CDaoDatabase* pDatabase = nullptr);

    QString GetDefaultSQL() override;
    QString GetDefaultDBName() override;
    void DoFieldExchange(CDaoFieldExchange* pFX) override;

#define QTR_COLUMN QTR_MEMBER
#include "recordset/schema/tables/OTPRisposte.def"
#undef QTR_COLUMN
};
