#pragma once

#include "recordset/CQTRDaoRecordset.h"
#include "recordset/schema/QtrColumns.h"

// Table Permessi: access rights: records hidden from a group or a customer.
class CPermessiSet : public CQTRDaoRecordset
{
public:
    explicit CPermessiSet(CDaoDatabase* pDatabase = nullptr);

    QString GetDefaultSQL() override;
    QString GetDefaultDBName() override;
    void DoFieldExchange(CDaoFieldExchange* pFX) override;

#define QTR_COLUMN QTR_MEMBER
#include "recordset/schema/tables/Permessi.def"
#undef QTR_COLUMN
};
