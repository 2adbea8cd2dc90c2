#include "recordset/CInteressiSet.h"

#include "recordset/CInteressiLingueSet.h"
#include "recordset/CInteressiUtentiSet.h"
#include "recordset/QtrCascade.h"
#include "recordset/schema/QtrColumnCount.h"

CInteressiSet::CInteressiSet(CDaoDatabase* pDatabase) : CQTRDaoRecordset(pDatabase)
{
    m_nFields = 0
#define QTR_COLUMN QTR_COUNT
#include "recordset/schema/tables/Interessi.def"
#undef QTR_COLUMN
        ;
    m_nDefaultType = dbOpenDynaset;
}

QString CInteressiSet::GetDefaultSQL()
{
    return QStringLiteral("[Interessi]");
}

QString CInteressiSet::GetDefaultDBName() { return QStringLiteral("database.mdb"); }

void CInteressiSet::DoFieldExchange(CDaoFieldExchange* pFX)
{
#define QTR_COLUMN QTR_EXCHANGE
#include "recordset/schema/tables/Interessi.def"
#undef QTR_COLUMN
}

void CInteressiSet::Delete()
{
    QtrCascade cascade(*this);
    if (cascade.Skipped())
        return;
    cascade.DeleteRows<CInteressiLingueSet>(QStringLiteral("IDInteresse=?"));
    cascade.DeleteRows<CInteressiUtentiSet>(QStringLiteral("IDInteresse=?"));
    cascade.Finish();
}
