#include "desktop/content/tests/ContentFixture.h"

#include "platform/dao/CDaoCriteria.h"
#include "recordset/CChiSiamoSet.h"
#include "recordset/CDizionarioGenSet.h"
#include "recordset/CDizionarioLinSet.h"

void ContentFixture::AddDictionaryEntry(qint32 id, const QString& code)
{
    Row(QStringLiteral("Dizionario"), {{"ID", id}, {"Codice", code}, {"Modificato", 0}});
}

void ContentFixture::AddDictionaryText(qint32 entryId, const QString& language, const QString& text)
{
    CDizionarioLinSet texts(&Db());
    texts.m_bTracking = false;
    texts.Open();
    const qint32 id = texts.GetNextID();
    texts.AddNew();
    texts.m_ID = id;
    texts.m_IDCodice = entryId;
    texts.m_CodiceLingua = language;
    texts.m_Testo = text;
    texts.m_Modificato = false;
    texts.Update();
    texts.Close();
}

QString ContentFixture::DictionaryText(qint32 entryId, const QString& language, bool* found)
{
    CDizionarioLinSet texts(&Db());
    texts.SetFilter(CDaoCriteria::Format(QStringLiteral("IDCodice=%d AND CodiceLingua='%s'"), {entryId, language}));
    texts.Open();
    if (found)
        *found = !texts.IsEOF();
    const QString text = texts.IsEOF() ? QString() : texts.m_Testo;
    texts.Close();
    return text;
}

void ContentFixture::AddCompanyText(qint32 id, const QString& language, const QString& text)
{
    CChiSiamoSet rows(&Db());
    rows.m_bTracking = false;
    rows.Open();
    rows.AddNew();
    rows.m_ID = id;
    rows.m_CodiceLingua = language;
    rows.m_Testo = text;
    rows.m_Modificato = false;
    rows.m_ModificataFoto = false;
    rows.Update();
    rows.Close();
}

QString ContentFixture::CompanyText(const QString& language, bool* found)
{
    CChiSiamoSet rows(&Db());
    rows.SetFilter(CDaoCriteria::Format(QStringLiteral("CodiceLingua='%s'"), {language}));
    rows.Open();
    if (found)
        *found = !rows.IsEOF();
    const QString text = rows.IsEOF() ? QString() : rows.m_Testo;
    rows.Close();
    return text;
}

int ContentFixture::Count(const QString& table)
{
    return Value(QStringLiteral("SELECT COUNT(*) FROM ") + table).toInt();
}

void ContentFixture::ClearModified(const QString& table)
{
    Db().Execute(QStringLiteral("UPDATE ") + table + QStringLiteral(" SET Modificato=0"));
}
