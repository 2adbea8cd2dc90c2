#pragma once

#include "recordset/CQTRDaoRecordset.h"
#include "recordset/schema/QtrColumns.h"

// Table Prodotti: the catalogue's products and their variants.
class CProdottiGeneraleSet : public CQTRDaoRecordset
{
public:
    explicit CProdottiGeneraleSet(CDaoDatabase* pDatabase = nullptr);

    QString GetDefaultSQL() override;
    QString GetDefaultDBName() override;
    void DoFieldExchange(CDaoFieldExchange* pFX) override;
    // Deletes the current row with what hangs on it, in one transaction;
    // its files go once the rows are gone for good.
    void Delete() override;

    // Set before Open: one row per CategorieProdotti link, with its joined column.
    bool m_bJoin = false;

#define QTR_COLUMN QTR_MEMBER
#include "recordset/schema/tables/Prodotti.def"
#undef QTR_COLUMN
};
