#include "recordset/CArgomentiSet.h"

#include "recordset/CArgomentiLingueSet.h"
#include "recordset/QtrCascade.h"
#include "recordset/schema/QtrColumnCount.h"

CArgomentiSet::CArgomentiSet(CDaoDatabase* pDatabase) : CQTRDaoRecordset(pDatabase)
{
    m_nFields = 0
#define QTR_COLUMN QTR_COUNT
#include "recordset/schema/tables/Argomenti.def"
#undef QTR_COLUMN
        ;
    m_nDefaultType = dbOpenDynaset;
}

QString CArgomentiSet::GetDefaultSQL()
{
    return QStringLiteral("[Argomenti]");
}

QString CArgomentiSet::GetDefaultDBName() { return QStringLiteral("database.mdb"); }

void CArgomentiSet::DoFieldExchange(CDaoFieldExchange* pFX)
{
#define QTR_COLUMN QTR_EXCHANGE
#include "recordset/schema/tables/Argomenti.def"
#undef QTR_COLUMN
}

void CArgomentiSet::Delete()
{
    QtrCascade cascade(*this);
    if (cascade.Skipped())
        return;
    if (m_Tipo == 0)
        cascade.Repoint(QStringLiteral("InterventiForum"), QStringLiteral("IDArgomento"));
    else if (m_Tipo == 1)
        // Chat messages carry no VersioneRecord and never travel with the
        // site update, so a tracked save could only fail on them.
        cascade.Repoint(QStringLiteral("InterventiChat"), QStringLiteral("IDArgomento"), false);
    cascade.DeleteRows<CArgomentiLingueSet>(QStringLiteral("IDArgomento=?"));
    cascade.Finish();
}
