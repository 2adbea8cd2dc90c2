#pragma once

#include "recordset/CQTRDaoRecordset.h"
#include "recordset/schema/QtrColumns.h"

// Table TestoNotificaOrdine: the customer notification text per language.
class CNotificaClienteSet : public CQTRDaoRecordset
{
public:
    explicit CNotificaClienteSet(CDaoDatabase* pDatabase = nullptr);

    QString GetDefaultSQL() override;
    QString GetDefaultDBName() override;
    void DoFieldExchange(CDaoFieldExchange* pFX) override;

#define QTR_COLUMN QTR_MEMBER
#include "recordset/schema/tables/TestoNotificaOrdine.def"
#undef QTR_COLUMN
};
