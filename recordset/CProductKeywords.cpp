#include "recordset/CProductKeywords.h"

#include "platform/utilities/QtrUtilities.h"
#include "recordset/CParoleChiaveSet.h"

CProductKeywords::CProductKeywords(CDaoDatabase& db) : m_db(db) {}

QString CProductKeywords::Keywords(const QString& code, const QStringList& texts)
{
    return code + QLatin1Char('/') + ElaboraKeywords(texts.join(QLatin1Char(' ')));
}

void CProductKeywords::Write(qint32 product, const QString& language, const QString& code, const QStringList& texts,
                             bool active)
{
    CParoleChiaveSet words(&m_db);
    words.m_bTracking = m_bTracking;
    if (!m_strProjectFolder.isEmpty())
        words.m_strProjectFolder = m_strProjectFolder;
    words.m_strFilter = QStringLiteral("Tipo=1 AND IDRecord=? AND CodiceLingua=?");
    words.m_filterParams = {product, language};
    words.Open();
    if (words.IsEOF()) {
        const qint32 id = words.GetNextID();
        words.AddNew();
        words.m_ID = id;
        words.m_Tipo = 1;
        words.m_CodiceLingua = language;
        words.m_IDRecord = product;
    } else {
        words.Edit();
    }
    words.m_Keywords = Keywords(code, texts);
    words.m_Attivo = active;
    words.m_Modificato = m_bTracking;
    words.Update();
}
