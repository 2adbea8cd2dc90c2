#pragma once

#include "platform/dao/CDaoRecordset.h"
#include "recordset/schema/QtrColumns.h"

// Table Parametri: the values that fill a code block's placeholders (graphic project). Design rows
// travel with the template upload, so they are neither stamped nor logged.
class CParametriSet : public CDaoRecordset
{
public:
    explicit CParametriSet(CDaoDatabase* pDatabase = nullptr);

    QString GetDefaultSQL() override;
    QString GetDefaultDBName() override;
    void DoFieldExchange(CDaoFieldExchange* pFX) override;

#define QTR_COLUMN QTR_MEMBER
#include "recordset/schema/tables/Parametri.def"
#undef QTR_COLUMN
};
