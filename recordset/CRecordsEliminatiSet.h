#pragma once

#include "platform/dao/CDaoRecordset.h"
#include "recordset/schema/QtrColumns.h"

// Table RecordsEliminati: the deletion log, read by the upload and the download. Its own rows are
// neither stamped nor logged.
class CRecordsEliminatiSet : public CDaoRecordset
{
public:
    explicit CRecordsEliminatiSet(CDaoDatabase* pDatabase = nullptr);

    QString GetDefaultSQL() override;
    QString GetDefaultDBName() override;
    void DoFieldExchange(CDaoFieldExchange* pFX) override;

#define QTR_COLUMN QTR_MEMBER
#include "recordset/schema/tables/RecordsEliminati.def"
#undef QTR_COLUMN
};
