#pragma once

#include "platform/dao/CDaoRecordset.h"
#include "recordset/schema/QtrColumns.h"

// Table AttributiCSS: one style property value of a style class (graphic project). Design rows
// travel with the template upload, so they are neither stamped nor logged.
class CAttributiCSSSet : public CDaoRecordset
{
public:
    explicit CAttributiCSSSet(CDaoDatabase* pDatabase = nullptr);

    QString GetDefaultSQL() override;
    QString GetDefaultDBName() override;
    void DoFieldExchange(CDaoFieldExchange* pFX) override;

#define QTR_COLUMN QTR_MEMBER
#include "recordset/schema/tables/AttributiCSS.def"
#undef QTR_COLUMN
};
