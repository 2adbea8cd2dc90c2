#pragma once

#include "recordset/CQTRDaoRecordset.h"
#include "recordset/schema/QtrColumns.h"

// Table CategorieLingue: a category's name and description per language.
class CCategorieLinSet : public CQTRDaoRecordset
{
public:
    explicit CCategorieLinSet(CDaoDatabase* pDatabase = nullptr);

    QString GetDefaultSQL() override;
    QString GetDefaultDBName() override;
    void DoFieldExchange(CDaoFieldExchange* pFX) override;

#define QTR_COLUMN QTR_MEMBER
#include "recordset/schema/tables/CategorieLingue.def"
#undef QTR_COLUMN
};
