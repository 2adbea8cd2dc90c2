#include "desktop/catalogue/COrdinamentoIndice.h"

#include "platform/dao/CDaoException.h"
#include "recordset/CProdottiGeneraleSet.h"
#include "recordset/CProdottiLingueSet.h"

#include <QHash>

int COrdinamentoIndice::ModeOf(int choice)
{
    return choice >= 0 && choice < kModeCount ? choice : Custom;
}

COrdinamentoIndice::COrdinamentoIndice(CDaoDatabase& project, const QString& projectFolder, int choice)
    : CCatalogueJob(project, projectFolder), m_nMode(ModeOf(choice))
{
}

// With the code mode only the rows of existing products change; the rows
// of a product that is gone keep their key.
CCatalogueJob::Result COrdinamentoIndice::WorkOnCopy(CDaoDatabase& db, ICatalogueProgress& progress)
{
    QHash<qint32, QString> codes;
    if (m_nMode == Code) {
        CProdottiGeneraleSet products(&db);
        products.Open();
        for (; !products.IsEOF(); products.MoveNext())
            codes.insert(products.m_ID, products.m_Codice.left(kSortLength));
        products.Close();
    }
    CProdottiLingueSet rows(&db);
    rows.m_strProjectFolder = ScratchFolder();
    rows.Open();
    progress.SetLabel(QStringLiteral("Ordinamento indice prodotti"));
    progress.SetTotal(rows.GetRecordCount());
    int done = 0;
    for (; !rows.IsEOF(); rows.MoveNext()) {
        if (Step(progress, done++))
            return Cancelled;
        if (m_nMode == Code && !codes.contains(rows.m_IDProdotto))
            continue;
        rows.Edit();
        switch (m_nMode) {
        case Custom: rows.m_Sort.clear(); break;
        case Code: rows.m_Sort = codes.value(rows.m_IDProdotto); break;
        case Name: rows.m_Sort = rows.m_Nome.left(kSortLength); break;
        case InvoiceText: rows.m_Sort = rows.m_DescrizioneFattura.left(kSortLength); break;
        case ShortText: rows.m_Sort = rows.m_DescrizioneBreve.left(kSortLength); break;
        case LongText: rows.m_Sort = rows.m_DescrizioneEstesa.left(kSortLength); break;
        }
        rows.Update();
    }
    progress.SetDone(done);
    return Done;
}
