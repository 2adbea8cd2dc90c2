#pragma once

#include "platform/dao/CDaoRecordset.h"
#include "recordset/schema/QtrColumns.h"

// Table CodiceASP: the code blocks of the graphic project, in a tree. Design rows travel with the
// template upload, so they are neither stamped nor logged.
class CCodiceASPSet : public CDaoRecordset
{
public:
    explicit CCodiceASPSet(CDaoDatabase* pDatabase = nullptr);

    QString GetDefaultSQL() override;
    QString GetDefaultDBName() override;
    void DoFieldExchange(CDaoFieldExchange* pFX) override;

#define QTR_COLUMN QTR_MEMBER
#include "recordset/schema/tables/CodiceASP.def"
#undef QTR_COLUMN
};
