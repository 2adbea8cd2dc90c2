#pragma once

#include "platform/dao/CDaoRecordset.h"
#include "recordset/schema/QtrColumns.h"

// Table ClassiCSS: the style classes of a code block (graphic project). Design rows travel with
// the template upload, so they are neither stamped nor logged.
class CClassiCSSSet : public CDaoRecordset
{
public:
    explicit CClassiCSSSet(CDaoDatabase* pDatabase = nullptr);

    QString GetDefaultSQL() override;
    QString GetDefaultDBName() override;
    void DoFieldExchange(CDaoFieldExchange* pFX) override;

#define QTR_COLUMN QTR_MEMBER
#include "recordset/schema/tables/ClassiCSS.def"
#undef QTR_COLUMN
};
