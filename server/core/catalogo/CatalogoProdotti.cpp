#include "server/core/catalogo/CatalogoProdotti.h"

#include "server/core/catalogo/Catalogo.h"
#include "server/core/catalogo/CatalogoAlbero.h"
#include "server/core/catalogo/CatalogoFonteScontiAdo.h"
#include "server/core/catalogo/CatalogoPrezzi.h"
#include "server/core/catalogo/CatalogoScheda.h"
#include "server/core/catalogo/CatalogoSql.h"
#include "server/core/catalogo/CatalogoValori.h"
#include "server/core/catalogo/CatalogoVisitatore.h"

#include <QRandomGenerator>

#include <stdexcept>

namespace {

// What a product of a list shows of its own row (CatalogoScheda): a list
// reads only these.
const QString kColonneLista = QStringLiteral(
    "Prodotti.ID, Prodotti.Codice, Prodotti.CodiceABarre, Prodotti.IVA, Prodotti.Peso, Prodotti.Disponibilita, "
    "Prodotti.Attivo, Prodotti.Novita, Prodotti.Offerta, Prodotti.Sconto, Prodotti.ValiditaScontoDal, "
    "Prodotti.ValiditaScontoAl, Prodotti.Confezioni, Prodotti.IDTabellaTaglie, Prodotti.DATaglia, Prodotti.ATaglia");

// The cursor's page size when the page never set one.
constexpr qint32 kPaginaPredefinita = 10;

} // namespace

void CatalogoProdotti::Carica()
{
    m_scheda.Carica(m_rsProdotti, m_pagina);
}

bool CatalogoProdotti::ApriPagina(const QVariant& Pag, const QVariant& IDCatPar)
{
    CatalogoVisitatore& v = m_visitatore;
    Chiudi();
    QVariant categoria = v.RequestValue(QStringLiteral("IDCategoria"));
    QVariant pagina = v.RequestValue(QStringLiteral("Page"));
    if (!CatalogoValori::Zero(IDCatPar)) {
        categoria = IDCatPar;
        pagina = Pag;
    }
    // Both are checked before anything is kept.
    const std::optional<qint32> numeroPagina = CatalogoValori::Id(pagina, "Numero di pagina");
    if (!CatalogoValori::Vuoto(categoria)) {
        const std::optional<qint32> id = CatalogoAlbero(v.Connection()).Cerca(categoria);
        if (id)
            v.SetSessionPagina(QStringLiteral("IDCategoriaProdotti"), *id);
        else if (!m_categorieDisattivate)
            return false;
    }
    // Where the visitor is in the list: no reason by itself to keep the
    // Session of a visitor who only browses.
    if (numeroPagina)
        v.SetSessionPagina(QStringLiteral("PaginaCorrenteProdotti"), qMax(*numeroPagina, 1));
    if (CatalogoValori::Vuoto(v.SessionValue(QStringLiteral("PaginaCorrenteProdotti"))))
        v.SetSessionPagina(QStringLiteral("PaginaCorrenteProdotti"), 1);

    const bool perLingua =
        CatalogoValori::Intero(v.SessionValue(QStringLiteral("TipoOrdinamento")), "TipoOrdinamento") != 0;
    QString lingua = v.LinguaVisitatore();
    if (lingua.isEmpty())
        lingua = v.LinguaPredefinita();
    const bool tutte = m_categorieDisattivate;
    m_categorieDisattivate = false;
    // Nearly every product is a base product: with a category to pick
    // from, the "+" keeps the engine from walking the base-product index.
    const QString base = tutte ? QStringLiteral("Prodotti.IDProdottoBase=0") : QStringLiteral("+Prodotti.IDProdottoBase=0");
    CatalogoSql sql;
    if (perLingua)
        sql.Aggiungi(QStringLiteral(" FROM Prodotti INNER JOIN ProdottiLingue ON "
                                    "ProdottiLingue.IDProdotto = Prodotti.ID WHERE Prodotti.Attivo=1 AND ")
                         + base + QStringLiteral(" AND ProdottiLingue.CodiceLingua=?"),
                     {lingua});
    else
        sql.Aggiungi(QStringLiteral(" FROM Prodotti WHERE Prodotti.Attivo=1 AND ") + base);
    v.FiltriProdotti(sql);
    if (!tutte) {
        // A visitor who never chose a category sees an empty page.
        const QVariant idCategoria = v.IdSessione("IDCategoriaProdotti");
        if (!idCategoria.isValid())
            return false;
        sql.Aggiungi(QStringLiteral(" AND Prodotti.ID IN (SELECT IDProdotto FROM CategorieProdotti WHERE "
                                    "IDCategoria=?)"),
                     {idCategoria});
    }
    const QString selezione = v.SessionText(QStringLiteral("SelezioneCustom"));
    if (perLingua && !selezione.isEmpty())
        sql.Aggiungi(QStringLiteral(" AND ProdottiLingue.Sort LIKE ?"), {selezione + QLatin1Char('%')});
    return ApriFinestra(sql, perLingua ? QStringLiteral(" ORDER BY ProdottiLingue.Sort, Prodotti.ID")
                                       : QStringLiteral(" ORDER BY Prodotti.Ordine, Prodotti.ID"));
}

bool CatalogoProdotti::ApriFinestra(const CatalogoSql& sql, const QString& ordine)
{
    CatalogoVisitatore& v = m_visitatore;
    qint32 lunghezza = CatalogoValori::Flag16(v.SessionValue(QStringLiteral("PageSize")));
    if (lunghezza < 1)
        lunghezza = kPaginaPredefinita;
    const qint32 pagina =
        CatalogoValori::Intero(v.SessionValue(QStringLiteral("PaginaCorrenteProdotti")), "PaginaCorrenteProdotti");
    if (!m_finestra.Apri(m_rsProdotti, v.Connection(), kColonneLista, sql, ordine, lunghezza, pagina))
        return false;
    m_catalogo.LunghezzaPaginaProdotti = static_cast<qint16>(m_finestra.Lunghezza());
    m_catalogo.PaginaCorrenteProdotti = m_finestra.Pagina();
    // What the page's products show beside their own rows is read for
    // them all at once: texts, colours, and discount rows with the first
    // price. A page walked with LeggiProdottoSuccessivo until its length
    // steps onto the product after it: that one is read with the page too.
    QList<qint32> idPagina;
    for (; !m_rsProdotti.IsEOF(); m_rsProdotti.MoveNext())
        idPagina << m_rsProdotti.Field(QStringLiteral("ID")).toInt();
    m_pagina.Leggi(v.Connection(), idPagina, v.LinguaVisitatore(), v.LinguaPredefinita());
    m_prezzi.Fonte().ProdottiDellaPagina(idPagina);
    m_rsProdotti.MoveFirst();
    Carica();
    m_catalogo.TotalePagineProdotti = m_finestra.Pagine();
    return true;
}

bool CatalogoProdotti::Successivo()
{
    m_rsProdotti.MoveNext();
    if (m_rsProdotti.IsEOF() && !m_finestra.LeggiResto(m_rsProdotti))
        return false;
    Carica();
    return true;
}

bool CatalogoProdotti::Primo()
{
    // A page may set another page number before it asks again.
    if (m_finestra.Pagine() > 0 && m_catalogo.PaginaCorrenteProdotti != m_finestra.Pagina())
        m_finestra.VaiAPagina(m_rsProdotti, m_catalogo.PaginaCorrenteProdotti);
    else
        m_rsProdotti.MoveFirst();
    if (m_rsProdotti.IsEOF())
        return false;
    Carica();
    return true;
}

void CatalogoProdotti::Chiudi()
{
    m_rsProdotti.Close();
    m_scheda.ChiudiLingua();
    m_pagina.Chiudi();
    m_finestra.Chiudi();
}

bool CatalogoProdotti::Leggi(const QVariant& ID)
{
    const std::optional<qint32> id = m_visitatore.IdArgomento(ID, "IDProdotto");
    if (!id)
        return false;
    Chiudi();
    CatalogoSql sql;
    sql.Aggiungi(QStringLiteral("SELECT * FROM Prodotti WHERE ID=?"), {*id}).DirittiProdotto(m_visitatore.Diritti());
    m_rsProdotti.Open(sql.Testo(), m_visitatore.Connection(), sql.Parametri());
    const bool trovato = !m_rsProdotti.IsEOF();
    if (trovato)
        Carica();
    Chiudi();
    return trovato;
}

bool CatalogoProdotti::UltimaPagina()
{
    if (!m_rsProdotti.IsOpen())
        throw std::runtime_error("Nessuna pagina di prodotti aperta");
    return m_catalogo.PaginaCorrenteProdotti == m_finestra.Pagine();
}

bool CatalogoProdotti::ApriCasuali(const QVariant& IDCatPar)
{
    std::optional<qint32> categoria;
    if (!CatalogoValori::Zero(IDCatPar)) {
        categoria = CatalogoAlbero(m_visitatore.Connection()).Cerca(IDCatPar);
        if (!categoria)
            return false;
    }
    Chiudi();
    CatalogoSql sql;
    sql.Aggiungi(QStringLiteral("SELECT * FROM Prodotti WHERE Prodotti.Attivo=1 AND Prodotti.IDProdottoBase=0"));
    m_visitatore.FiltriProdotti(sql);
    if (categoria)
        sql.Aggiungi(QStringLiteral(" AND Prodotti.ID IN (SELECT IDProdotto FROM CategorieProdotti WHERE "
                                    "IDCategoria=?)"),
                     {*categoria});
    sql.Aggiungi(QStringLiteral(" ORDER BY Prodotti.ID"));
    m_rsProdotti.Open(sql.Testo(), m_visitatore.Connection(), sql.Parametri());
    if (m_rsProdotti.IsEOF())
        return false;
    const int salto = static_cast<int>(QRandomGenerator::global()->bounded(m_rsProdotti.RecordCount()));
    for (int i = 0; i < salto; ++i)
        m_rsProdotti.MoveNext();
    Carica();
    return true;
}

void CatalogoProdotti::CasualeSuccessivo()
{
    m_rsProdotti.MoveNext();
    if (m_rsProdotti.IsEOF())
        m_rsProdotti.MoveFirst();
    Carica();
}
