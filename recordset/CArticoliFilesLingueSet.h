#pragma once

#include "recordset/CQTRDaoRecordset.h"
#include "recordset/schema/QtrColumns.h"

// Table ArticoliFilesLingue: an article file's title and description per language.
class CArticoliFilesLingueSet : public CQTRDaoRecordset
{
public:
    explicit CArticoliFilesLingueSet(CDaoDatabase* pDatabase = nullptr);

    QString GetDefaultSQL() override;
    QString GetDefaultDBName() override;
    void DoFieldExchange(CDaoFieldExchange* pFX) override;

#define QTR_COLUMN QTR_MEMBER
#include "recordset/schema/tables/ArticoliFilesLingue.def"
#undef QTR_COLUMN
};
