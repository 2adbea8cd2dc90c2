#include "desktop/customers/tests/CustomersFixture.h"

#include "recordset/CInteressiLingueSet.h"

CustomersFixture::CustomersFixture()
{
    Row(QStringLiteral("Lingue"), {{"ID", 1}, {"Codice", "it"}, {"Descrizione", "Italiano"}, {"Attivo", 1}});
    Row(QStringLiteral("Lingue"), {{"ID", 2}, {"Codice", "en"}, {"Descrizione", "Inglese"}, {"Attivo", 1}});
    Row(QStringLiteral("Configurazione"), {{"ID", 1}, {"LinguaPredefinita", 1}});
}

void CustomersFixture::AddCustomer(qint32 id, const QString& ragioneSociale, const QString& cognome,
                                   const QString& nome, int kind, const Values& more)
{
    Values values{{"ID", id},
                  {"RagioneSociale", ragioneSociale},
                  {"Cognome", cognome},
                  {"Nome", nome},
                  {"TipoUtente", kind}};
    values += more;
    Row(QStringLiteral("Clienti"), values);
}

void CustomersFixture::AddGroup(qint32 id, const QString& nome)
{
    Row(QStringLiteral("Gruppi"), {{"ID", id}, {"Nome", nome}});
}

void CustomersFixture::AddInterest(qint32 id, qint32 ordine)
{
    Row(QStringLiteral("Interessi"), {{"ID", id}, {"Ordine", ordine}});
}

void CustomersFixture::AddInterestText(qint32 rowId, qint32 interest, const QString& language, const QString& nome,
                                       const QString& descrizione)
{
    CInteressiLingueSet texts(&Db());
    texts.m_bTracking = false;
    texts.Open();
    texts.AddNew();
    texts.m_ID = rowId;
    texts.m_IDInteresse = interest;
    texts.m_CodiceLingua = language;
    texts.m_Nome = nome;
    texts.m_Descrizione = descrizione;
    texts.Update();
}

void CustomersFixture::AddRight(qint32 id, qint32 gruppo, qint32 utente, int tipo, qint32 record)
{
    Row(QStringLiteral("Permessi"),
        {{"ID", id}, {"IDGruppo", gruppo}, {"IDUtente", utente}, {"Tipo", tipo}, {"IDRecord", record}});
}

int CustomersFixture::Count(const QString& table, const QString& where, const QVariantList& params)
{
    return Value(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2").arg(table, where), params).toInt();
}
