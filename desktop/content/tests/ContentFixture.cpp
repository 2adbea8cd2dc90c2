#include "desktop/content/tests/ContentFixture.h"

#include "platform/dao/CDaoCriteria.h"
#include "recordset/CArgomentiLingueSet.h"
#include "recordset/CArticoliLinSet.h"
#include "recordset/CChiSiamoSet.h"
#include "recordset/CSezioniLingueSet.h"
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

void ContentFixture::AddArticle(qint32 id, const QString& code, qint32 order, bool attivo, bool novita)
{
    Row(QStringLiteral("Articoli"), {{"ID", id}, {"Codice", code}, {"Ordine", order}, {"Attivo", attivo ? 1 : 0},
                                     {"Novita", novita ? 1 : 0}, {"Mailing", 0}, {"Modificato", 0},
                                     {"DataPubblicazione", "2026-01-15 10:30:00"}});
}

void ContentFixture::AddArticleText(qint32 article, const QString& language, const QString& titolo,
                                    const QString& testo, const QString& sottotitolo)
{
    CArticoliLinSet texts(&Db());
    texts.m_bTracking = false;
    texts.Open();
    const qint32 id = texts.GetNextID();
    texts.AddNew();
    texts.m_ID = id;
    texts.m_IDArticolo = article;
    texts.m_CodiceLingua = language;
    texts.m_Titolo = titolo;
    texts.m_Testo = testo;
    texts.m_Sottotitolo = sottotitolo;
    texts.m_Modificato = false;
    texts.Update();
}

QString ContentFixture::ArticleTitle(qint32 article, const QString& language, bool* found)
{
    CArticoliLinSet texts(&Db());
    texts.SetFilter(CDaoCriteria::Format(QStringLiteral("IDArticolo=%d AND CodiceLingua='%s'"), {article, language}));
    texts.Open();
    if (found)
        *found = !texts.IsEOF();
    return texts.IsEOF() ? QString() : texts.m_Titolo;
}

void ContentFixture::AddSection(qint32 id, qint32 parent, const QString& language, const QString& name)
{
    Row(QStringLiteral("Sezioni"), {{"ID", id}, {"IDSezionePadre", parent}, {"Ordine", id}, {"Modificato", 0}});
    AddSectionText(id, language, name);
}

void ContentFixture::AddSectionText(qint32 id, const QString& language, const QString& name)
{
    CSezioniLingueSet texts(&Db());
    texts.m_bTracking = false;
    texts.Open();
    const qint32 row = texts.GetNextID();
    texts.AddNew();
    texts.m_ID = row;
    texts.m_IDSezione = id;
    texts.m_CodiceLingua = language;
    texts.m_Nome = name;
    texts.m_Modificato = false;
    texts.Update();
}

void ContentFixture::AddTopic(qint32 id, int tipo, qint32 parent, const QString& language, const QString& name)
{
    Row(QStringLiteral("Argomenti"),
        {{"ID", id}, {"Tipo", tipo}, {"IDArgomentoPadre", parent}, {"Ordine", id}, {"Modificato", 0}});
    CArgomentiLingueSet texts(&Db());
    texts.m_bTracking = false;
    texts.Open();
    const qint32 row = texts.GetNextID();
    texts.AddNew();
    texts.m_ID = row;
    texts.m_IDArgomento = id;
    texts.m_CodiceLingua = language;
    texts.m_Nome = name;
    texts.m_Modificato = false;
    texts.Update();
}

void ContentFixture::LinkArticle(qint32 section, qint32 article)
{
    const qint32 id = Value(QStringLiteral("SELECT COALESCE(MAX(ID),0)+1 FROM SezioniArticoli")).toInt();
    Row(QStringLiteral("SezioniArticoli"), {{"ID", id}, {"IDSezione", section}, {"IDArticolo", article}, {"Modificato", 0}});
}
