#include "server/core/catalogo/CatalogoVarianti.h"

#include "server/core/catalogo/Catalogo.h"
#include "server/core/catalogo/CatalogoProdotti.h"
#include "server/core/catalogo/CatalogoScheda.h"
#include "server/core/catalogo/CatalogoValori.h"
#include "server/core/catalogo/CatalogoVisitatore.h"

bool CatalogoVarianti::Corrente()
{
    CAdoRecordset& rs = m_prodotti.Cursore();
    if (rs.IsEOF()) {
        rs.Close();
        return false;
    }
    m_prodotti.Carica();
    m_scheda.ChiudiLingua();
    return true;
}

bool CatalogoVarianti::Prima(const QVariant& ID)
{
    const qint32 base = CatalogoValori::Zero(ID) ? m_catalogo.IDProdotto : CatalogoValori::Id(ID, "IDProdotto").value_or(0);
    m_prodotti.Chiudi();
    // No product is the base of every base product.
    if (base == 0)
        return false;
    m_prodotti.Cursore().Open(QStringLiteral("SELECT * FROM Prodotti WHERE IDProdottoBase=? AND Prodotti.Attivo=1 "
                                             "ORDER BY Prodotti.Ordine, Prodotti.ID"),
                              m_visitatore.Connection(), {base});
    return Corrente();
}

bool CatalogoVarianti::Successiva()
{
    m_prodotti.Cursore().MoveNext();
    return Corrente();
}
