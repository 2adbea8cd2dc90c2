#include "server/core/catalogo/CatalogoPagina.h"

#include "server/core/CacheNegozio.h"
#include "server/core/catalogo/CatalogoSql.h"

void CatalogoPagina::Leggi(CAdoConnection* connessione, const QList<qint32>& idProdotti, const QString& lingua,
                           const QString& predefinita)
{
    Chiudi();
    for (const qint32 id : idProdotti)
        if (!m_prodotti.contains(id))
            m_prodotti.append(id);
    if (m_prodotti.isEmpty() || m_prodotti.size() > CatalogoSql::kMassimoProdottiInsieme) {
        m_prodotti.clear();
        return;
    }
    m_lingua = lingua;
    m_predefinita = predefinita;
    LeggiLingue(connessione);

    const QVariantList valori = CatalogoSql::Valori(m_prodotti);
    CAdoRecordset colori;
    for (CacheNegozio::Apri(colori,
                            QStringLiteral("SELECT IDProdotto, COUNT(*) AS N FROM ProdottiColori WHERE Attivo=1 AND "
                                           "IDProdotto IN (%1) GROUP BY IDProdotto")
                                .arg(CatalogoSql::Segnaposti(m_prodotti.size())),
                            connessione, valori);
         !colori.IsEOF(); colori.MoveNext())
        m_colori.insert(colori.Field(QStringLiteral("IDProdotto")).toInt(), colori.Field(QStringLiteral("N")).toInt());
}

// A product's first row by ID in the visitor's language, else in the
// default one, as its own query would find it: the default language's rows
// come only for products with none in the visitor's, and only the columns
// a product shows of them.
void CatalogoPagina::LeggiLingue(CAdoConnection* connessione)
{
    static const QString kColonne = QStringLiteral(
        "SELECT IDProdotto, CodiceLingua, Nome, DescrizioneFattura, DescrizioneBreve, DescrizioneEstesa, UM, "
        "CampiCustom, Prezzo, Prezzo2, Prezzo3, Prezzo4, PrezzoPromozione FROM ProdottiLingue WHERE IDProdotto IN (%1) ");
    QString sql = kColonne.arg(CatalogoSql::Segnaposti(m_prodotti.size()));
    QVariantList valori = CatalogoSql::Valori(m_prodotti);
    if (m_lingua.isEmpty() || m_lingua == m_predefinita) {
        // A visitor in the shop's own language finds every row there is
        // in the first language.
        sql += QStringLiteral("AND CodiceLingua=?");
        valori << (m_lingua.isEmpty() ? m_predefinita : m_lingua);
    } else {
        sql += QStringLiteral("AND (CodiceLingua=? OR CodiceLingua=? AND NOT EXISTS (SELECT ID FROM ProdottiLingue AS "
                              "Visitatore WHERE Visitatore.IDProdotto=ProdottiLingue.IDProdotto AND "
                              "Visitatore.CodiceLingua=?))");
        valori << m_lingua << m_predefinita << m_lingua;
    }
    m_righe.Open(sql + QStringLiteral(" ORDER BY ID"), connessione, valori);
    for (; !m_righe.IsEOF(); m_righe.MoveNext()) {
        const qint32 id = m_righe.Field(QStringLiteral("IDProdotto")).toInt();
        const QString lingua = m_righe.Field(QStringLiteral("CodiceLingua")).toString();
        QHash<qint32, int>& posizioni =
            !m_lingua.isEmpty() && lingua == m_lingua ? m_posizioniLingua : m_posizioniPredefinite;
        if (!posizioni.contains(id))
            posizioni.insert(id, m_righe.AbsolutePosition());
    }
}

void CatalogoPagina::Chiudi()
{
    m_prodotti.clear();
    m_lingua.clear();
    m_predefinita.clear();
    m_righe.Close();
    m_posizioniLingua.clear();
    m_posizioniPredefinite.clear();
    m_colori.clear();
}

std::optional<const CAdoRecordset*> CatalogoPagina::RigaLingua(qint32 idProdotto, const QString& lingua,
                                                               const QString& predefinita)
{
    if (!m_prodotti.contains(idProdotto) || lingua != m_lingua || predefinita != m_predefinita)
        return std::nullopt;
    if (!lingua.isEmpty()) {
        if (const int posizione = m_posizioniLingua.value(idProdotto)) {
            m_righe.SetAbsolutePosition(posizione);
            return &m_righe;
        }
    }
    if (const int posizione = m_posizioniPredefinite.value(idProdotto)) {
        m_righe.SetAbsolutePosition(posizione);
        return &m_righe;
    }
    return nullptr;
}

std::optional<int> CatalogoPagina::NumeroColori(qint32 idProdotto) const
{
    if (!m_prodotti.contains(idProdotto))
        return std::nullopt;
    return m_colori.value(idProdotto, 0);
}
