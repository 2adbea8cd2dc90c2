#pragma once

#include "recordset/CQTRDaoRecordset.h"
#include "recordset/schema/QtrColumns.h"

// Table Configurazione: the shop's settings, one row.
class CConfigurazioneSet : public CQTRDaoRecordset
{
public:
    explicit CConfigurazioneSet(CDaoDatabase* pDatabase = nullptr);

    QString GetDefaultSQL() override;
    QString GetDefaultDBName() override;
    void DoFieldExchange(CDaoFieldExchange* pFX) override;

#define QTR_COLUMN QTR_MEMBER
#include "recordset/schema/tables/Configurazione.def"
#undef QTR_COLUMN
};
