#pragma once

#include "recordset/CQTRDaoRecordset.h"
#include "recordset/schema/QtrColumns.h"

// Table SpeseSpedizione: shipping options and their price bands.
class CSSpedizioneSet : public CQTRDaoRecordset
{
public:
    explicit CSSpedizioneSet(CDaoDatabase* pDatabase = nullptr);

    QString GetDefaultSQL() override;
    QString GetDefaultDBName() override;
    void DoFieldExchange(CDaoFieldExchange* pFX) override;

#define QTR_COLUMN QTR_MEMBER
#include "recordset/schema/tables/SpeseSpedizione.def"
#undef QTR_COLUMN
};
