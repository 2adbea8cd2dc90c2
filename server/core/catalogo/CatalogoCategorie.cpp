#include "server/core/catalogo/CatalogoCategorie.h"

#include "server/core/CacheNegozio.h"
#include "server/core/QtrVisitatore.h"
#include "server/core/catalogo/Catalogo.h"
#include "server/core/catalogo/CatalogoAlbero.h"
#include "server/core/catalogo/CatalogoRiga.h"
#include "server/core/catalogo/CatalogoSql.h"
#include "server/core/catalogo/CatalogoValori.h"
#include "server/core/catalogo/CatalogoVisitatore.h"

#include <QSet>

CatalogoAlbero CatalogoCategorie::Albero() const { return CatalogoAlbero(m_visitatore.Connection()); }

void CatalogoCategorie::Testi(qint32 id, QString& nome, QString& descrizione)
{
    CAdoRecordset rs;
    nome.clear();
    descrizione.clear();
    if (!m_visitatore.ApriInLingua(rs, QStringLiteral("SELECT Nome, Descrizione FROM CategorieLingue WHERE "
                                                      "CodiceLingua=? AND IDCategoria=?"),
                                   id, true))
        return;
    nome = CatalogoRiga::Decifrato(rs, QStringLiteral("Nome"));
    descrizione = CatalogoRiga::Decifrato(rs, QStringLiteral("Descrizione"));
}

// The links of the category's ancestors from the top down; a missing
// ancestor or a loop in the tree ends the path instead of the page.
QString CatalogoCategorie::Percorso(qint32 id)
{
    QString percorso;
    QSet<qint32> visti;
    const CatalogoAlbero albero = Albero();
    while (id != 0 && !visti.contains(id)) {
        visti.insert(id);
        const std::optional<qint32> padre = albero.Padre(id);
        if (!padre)
            break;
        QString nome, descrizione;
        Testi(id, nome, descrizione);
        const QString pagina = albero.HaFigli(id)
            ? m_visitatore.SessionText(QStringLiteral("URLPaginaCategorie")) + QStringLiteral("?IDCategoria=")
            : m_visitatore.SessionText(QStringLiteral("URLPaginaProdotti")) + QStringLiteral("?Action=I&IDCategoria=");
        const QString link =
            QStringLiteral("<a href=\"") + pagina + QString::number(id) + QStringLiteral("\">") + nome + QStringLiteral("</a>");
        percorso = percorso.isEmpty() ? link : link + QStringLiteral(" | ") + percorso;
        id = *padre;
    }
    return percorso;
}

// The active base products the visitor may see in the category and all
// its descendants, each counted once.
qint32 CatalogoCategorie::ContaProdotti(qint32 id)
{
    const QList<qint32> ids = Albero().ConDiscendenti(id);
    CAdoRecordset rs;
    CatalogoSql sql(QStringLiteral("SELECT COUNT(DISTINCT Prodotti.ID) AS N FROM Prodotti INNER JOIN CategorieProdotti ON "
                                   "Prodotti.ID=CategorieProdotti.IDProdotto WHERE Prodotti.Attivo=1 AND "
                                   "Prodotti.IDProdottoBase=0 AND CategorieProdotti.IDCategoria IN (")
                    + CatalogoSql::Segnaposti(ids.size()) + QStringLiteral(")"));
    sql.Aggiungi(QString(), CatalogoSql::Valori(ids));
    m_visitatore.FiltriProdotti(sql);
    rs.Open(sql.Testo(), m_visitatore.Connection(), sql.Parametri());
    return rs.Field(QStringLiteral("N")).toInt();
}

void CatalogoCategorie::Carica(const CAdoRecordset& rs)
{
    Catalogo& c = m_catalogo;
    const qint32 id = rs.Field(QStringLiteral("ID")).toInt();
    c.FlagSottoCategorie = Albero().HaFigli(id);
    c.IDCategoria = id;
    c.CodiceCategoria = CatalogoRiga::Testo(rs, QStringLiteral("Codice"));
    Testi(id, c.NomeCategoria, c.DescrizioneCategoria);
    c.PercorsoCategorie = Percorso(rs.Field(QStringLiteral("IDCategoriaPadre")).toInt());
    if (CatalogoValori::Intero(m_visitatore.SessionValue(QStringLiteral("FlagCalNumProCat")), "FlagCalNumProCat") == 1)
        c.NumeroProdottiCategoria = ContaProdotti(id);
}

bool CatalogoCategorie::Leggi(const QVariant& idOCodice)
{
    CatalogoSql sql(QStringLiteral("SELECT * FROM Categorie WHERE "));
    if (const auto id = CatalogoValori::Numero(idOCodice))
        sql.Aggiungi(QStringLiteral("ID=?"), {*id});
    else
        sql.Aggiungi(QStringLiteral("Codice=?"), {idOCodice.toString()});
    sql.DirittiCategoria(QtrVisitatore::Gruppo(*m_visitatore.Session()), QtrVisitatore::Utente(*m_visitatore.Session()));
    CacheNegozio::Apri(m_rsCategorie, sql.Testo(), m_visitatore.Connection(), sql.Parametri());
    const bool trovata = !m_rsCategorie.IsEOF();
    if (trovata)
        Carica(m_rsCategorie);
    m_rsCategorie.Close();
    return trovata;
}

bool CatalogoCategorie::ApriPagina(const QVariant& idOCodice)
{
    m_rsCategorie.Close();
    qint32 padre = 0;
    if (const auto id = CatalogoValori::Numero(idOCodice)) {
        padre = *id;
    } else if (!CatalogoValori::Vuoto(idOCodice)) {
        const auto trovata = Albero().Cerca(idOCodice);
        if (!trovata)
            return false;
        padre = *trovata;
    }
    CatalogoSql sql;
    sql.Aggiungi(QStringLiteral("SELECT * FROM Categorie WHERE IDCategoriaPadre=?"), {padre})
        .DirittiCategoria(QtrVisitatore::Gruppo(*m_visitatore.Session()), QtrVisitatore::Utente(*m_visitatore.Session()))
        .Aggiungi(QStringLiteral(" ORDER BY Ordine, ID"));
    CacheNegozio::Apri(m_rsCategorie, sql.Testo(), m_visitatore.Connection(), sql.Parametri());
    if (m_rsCategorie.IsEOF())
        return false;
    Carica(m_rsCategorie);
    return true;
}

bool CatalogoCategorie::Successiva()
{
    m_rsCategorie.MoveNext();
    if (m_rsCategorie.IsEOF())
        return false;
    Carica(m_rsCategorie);
    return true;
}

void CatalogoCategorie::ChiudiPagina()
{
    m_rsCategorie.Close();
}

bool CatalogoCategorie::Discende(const QVariant& prova, const QVariant& padreCercato)
{
    const std::optional<qint32> daProvare = Albero().Cerca(prova);
    if (!daProvare)
        return false;
    qint32 padre = m_catalogo.IDCategoria;
    if (!CatalogoValori::Zero(padreCercato)) {
        const std::optional<qint32> trovato = Albero().Cerca(padreCercato);
        if (!trovato)
            return false;
        padre = *trovato;
    }
    QSet<qint32> visti;
    for (qint32 id = *daProvare; id != 0 && !visti.contains(id);) {
        visti.insert(id);
        const std::optional<qint32> suo = Albero().Padre(id);
        if (!suo)
            return false;
        id = *suo;
        if (id == padre)
            return true;
    }
    return false;
}

// Read through the catalogue's own LeggiCategoria, as a page would call it.
bool CatalogoCategorie::CategoriaProdottoCorrente()
{
    m_catalogo.IDCategoria = m_rsCategorieProdotto.Field(QStringLiteral("IDCategoria")).toInt();
    const qint32 id = m_catalogo.IDCategoria;
    m_catalogo.LeggiCategoria(id);
    m_catalogo.IDCategoria = id;
    m_catalogo.PercorsoCategorie = Percorso(id);
    return true;
}

bool CatalogoCategorie::PrimaDelProdotto()
{
    m_rsCategorieProdotto.Open(QStringLiteral("SELECT IDCategoria FROM CategorieProdotti WHERE IDProdotto=? ORDER BY ID"),
                               m_visitatore.Connection(), {m_catalogo.IDProdotto});
    if (m_rsCategorieProdotto.IsEOF()) {
        m_rsCategorieProdotto.Close();
        return false;
    }
    return CategoriaProdottoCorrente();
}

bool CatalogoCategorie::SuccessivaDelProdotto()
{
    m_rsCategorieProdotto.MoveNext();
    if (m_rsCategorieProdotto.IsEOF()) {
        m_rsCategorieProdotto.Close();
        return false;
    }
    return CategoriaProdottoCorrente();
}
