#include "server/core/catalogo/CatalogoPagina.h"

#include "server/core/catalogo/CatalogoSql.h"

namespace {

// Past this many products the page reads them one by one, as the engines
// limit the values one statement binds.
const qsizetype kMassimoProdotti = 200;

} // namespace

void CatalogoPagina::Leggi(CAdoConnection* connessione, const QList<qint32>& idProdotti, const QString& lingua,
                           const QString& predefinita)
{
    Chiudi();
    for (const qint32 id : idProdotti)
        if (!m_prodotti.contains(id))
            m_prodotti.append(id);
    if (m_prodotti.isEmpty() || m_prodotti.size() > kMassimoProdotti) {
        m_prodotti.clear();
        return;
    }
    m_lingua = lingua;
    m_predefinita = predefinita;
    if (!lingua.isEmpty())
        LeggiLingua(connessione, lingua, m_righeLingua, m_posizioniLingua);
    // A visitor in the shop's own language finds every row there is in
    // the first read: the fallback would read the same rows again.
    if (lingua != predefinita)
        LeggiLingua(connessione, predefinita, m_righePredefinite, m_posizioniPredefinite);

    const QVariantList valori = CatalogoSql::Valori(m_prodotti);
    CAdoRecordset colori;
    for (colori.Open(QStringLiteral("SELECT IDProdotto, COUNT(*) AS N FROM ProdottiColori WHERE Attivo=1 AND "
                                    "IDProdotto IN (%1) GROUP BY IDProdotto")
                         .arg(CatalogoSql::Segnaposti(m_prodotti.size())),
                     connessione, valori);
         !colori.IsEOF(); colori.MoveNext())
        m_colori.insert(colori.Field(QStringLiteral("IDProdotto")).toInt(), colori.Field(QStringLiteral("N")).toInt());
}

// A product's first row by ID, as its own query would find it.
void CatalogoPagina::LeggiLingua(CAdoConnection* connessione, const QString& lingua, CAdoRecordset& righe,
                                 QHash<qint32, int>& posizioni)
{
    const QVariantList valori = QVariantList{lingua} + CatalogoSql::Valori(m_prodotti);
    righe.Open(QStringLiteral("SELECT * FROM ProdottiLingue WHERE CodiceLingua=? AND IDProdotto IN (%1) ORDER BY ID")
                   .arg(CatalogoSql::Segnaposti(m_prodotti.size())),
               connessione, valori);
    for (; !righe.IsEOF(); righe.MoveNext()) {
        const qint32 id = righe.Field(QStringLiteral("IDProdotto")).toInt();
        if (!posizioni.contains(id))
            posizioni.insert(id, righe.AbsolutePosition());
    }
}

void CatalogoPagina::Chiudi()
{
    m_prodotti.clear();
    m_lingua.clear();
    m_predefinita.clear();
    m_righeLingua.Close();
    m_righePredefinite.Close();
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
            m_righeLingua.SetAbsolutePosition(posizione);
            return &m_righeLingua;
        }
    }
    if (const int posizione = m_posizioniPredefinite.value(idProdotto)) {
        m_righePredefinite.SetAbsolutePosition(posizione);
        return &m_righePredefinite;
    }
    return nullptr;
}

std::optional<int> CatalogoPagina::NumeroColori(qint32 idProdotto) const
{
    if (!m_prodotti.contains(idProdotto))
        return std::nullopt;
    return m_colori.value(idProdotto, 0);
}
