#pragma once

#include "platform/dao/CDaoRecordset.h"
#include "recordset/schema/QtrColumns.h"

// Table CategorieCodiciASP: the style-sheet files of the graphic project. Design rows travel with
// the template upload, so they are neither stamped nor logged.
class CCategorieCodiciASPSet : public CDaoRecordset
{
public:
    explicit CCategorieCodiciASPSet(CDaoDatabase* pDatabase = nullptr);

    QString GetDefaultSQL() override;
    QString GetDefaultDBName() override;
    void DoFieldExchange(CDaoFieldExchange* pFX) override;

#define QTR_COLUMN QTR_MEMBER
#include "recordset/schema/tables/CategorieCodiciASP.def"
#undef QTR_COLUMN
};
