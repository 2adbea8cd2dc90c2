#include "recordset/CArticoliGenSet.h"

#include "recordset/CArticoliFilesSet.h"
#include "recordset/CArticoliLinSet.h"
#include "recordset/CArticoliLinkSet.h"
#include "recordset/CCorrelazioniSet.h"
#include "recordset/CParoleChiaveSet.h"
#include "recordset/CPermessiSet.h"
#include "recordset/CSezioniArticoliSet.h"
#include "recordset/QtrCascade.h"
#include "recordset/schema/QtrColumnCount.h"

CArticoliGenSet::CArticoliGenSet(CDaoDatabase* pDatabase) : CQTRDaoRecordset(pDatabase)
{
    m_nFields = 0
#define QTR_COLUMN QTR_COUNT
#include "recordset/schema/tables/Articoli.def"
#undef QTR_COLUMN
        ;
    m_nDefaultType = dbOpenDynaset;
    // The joined statement names no single table for the deletion log.
    m_strTableName = QStringLiteral("Articoli");
}

QString CArticoliGenSet::GetDefaultSQL()
{
    if (m_bJoin)
        return QStringLiteral("SELECT Articoli.*, SezioniArticoli.IDSezione") + QStringLiteral(" FROM Articoli ")
               + QStringLiteral(" INNER JOIN SezioniArticoli ON Articoli.ID=SezioniArticoli.IDArticolo");
    return QStringLiteral("[Articoli]");
}

QString CArticoliGenSet::GetDefaultDBName() { return QStringLiteral("database.mdb"); }

void CArticoliGenSet::DoFieldExchange(CDaoFieldExchange* pFX)
{
#define QTR_COLUMN QTR_EXCHANGE
#include "recordset/schema/tables/Articoli.def"
#undef QTR_COLUMN
}

void CArticoliGenSet::Delete()
{
    QtrCascade cascade(*this);
    if (cascade.Skipped())
        return;
    cascade.DeleteRows<CArticoliLinSet>(QStringLiteral("IDArticolo=?"));
    cascade.DeleteRows<CSezioniArticoliSet>(QStringLiteral("IDArticolo=?"));
    cascade.DeleteRows<CArticoliFilesSet>(QStringLiteral("IDArticolo=?"));
    cascade.DeleteRows<CArticoliLinkSet>(QStringLiteral("IDArticolo=?"));
    cascade.DeleteRows<CParoleChiaveSet>(QStringLiteral("Tipo=3 AND IDRecord=?"));
    cascade.DeleteRows<CPermessiSet>(QStringLiteral("Tipo=3 AND IDRecord=?"));
    cascade.DeleteCorrelations(3);
    cascade.Finish();
}
