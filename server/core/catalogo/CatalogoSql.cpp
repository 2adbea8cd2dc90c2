#include "server/core/catalogo/CatalogoSql.h"

#include "server/core/catalogo/CatalogoDiritti.h"

#include <QStringList>

namespace {

// Past this many IDs the engine looks them up itself: a statement binds
// a limited number of values.
constexpr qsizetype kMassimoElenco = 500;

} // namespace

QString CatalogoSql::Segnaposti(qsizetype quanti)
{
    QStringList segni;
    for (qsizetype i = 0; i < quanti; ++i)
        segni << QStringLiteral("?");
    return segni.join(QStringLiteral(", "));
}

QVariantList CatalogoSql::Valori(const QList<qint32>& ids)
{
    QVariantList valori;
    for (const qint32 id : ids)
        valori << id;
    return valori;
}

CatalogoSql& CatalogoSql::Aggiungi(const QString& testo, const QVariantList& parametri)
{
    m_testo += testo;
    m_parametri += parametri;
    return *this;
}

CatalogoSql& CatalogoSql::DirittiProdotto(const QVariant& idGruppo, const QVariant& idUtente)
{
    // From the product's few categories to their Permessi rows, rather
    // than from every row of the group to the categories of the product.
    const QString categorie = QStringLiteral(
        " AND NOT EXISTS (SELECT CategorieProdotti.IDCategoria FROM CategorieProdotti INNER JOIN Permessi ON "
        "Permessi.IDRecord=CategorieProdotti.IDCategoria WHERE CategorieProdotti.IDProdotto=Prodotti.ID AND "
        "Permessi.Tipo=0 AND Permessi.%1=?)");
    const QString prodotto =
        QStringLiteral(" AND NOT EXISTS (SELECT IDRecord FROM Permessi WHERE IDRecord=Prodotti.ID AND Tipo=1 AND %1=?)");
    return Aggiungi(categorie.arg(QLatin1String("IDGruppo")), {idGruppo})
        .Aggiungi(categorie.arg(QLatin1String("IDUtente")), {idUtente})
        .Aggiungi(prodotto.arg(QLatin1String("IDGruppo")), {idGruppo})
        .Aggiungi(prodotto.arg(QLatin1String("IDUtente")), {idUtente});
}

CatalogoSql& CatalogoSql::DirittiProdotto(const CatalogoDiritti& diritti)
{
    if (diritti.categorie.size() > kMassimoElenco || diritti.prodotti.size() > kMassimoElenco)
        return DirittiProdotto(diritti.idGruppo, diritti.idUtente);
    if (!diritti.categorie.isEmpty())
        Aggiungi(QStringLiteral(" AND NOT EXISTS (SELECT IDCategoria FROM CategorieProdotti WHERE "
                                "CategorieProdotti.IDProdotto=Prodotti.ID AND CategorieProdotti.IDCategoria IN (%1))")
                     .arg(Segnaposti(diritti.categorie.size())),
                 Valori(diritti.categorie));
    if (!diritti.prodotti.isEmpty())
        Aggiungi(QStringLiteral(" AND Prodotti.ID NOT IN (%1)").arg(Segnaposti(diritti.prodotti.size())),
                 Valori(diritti.prodotti));
    return *this;
}

CatalogoSql& CatalogoSql::DirittiCategoria(const QVariant& idGruppo, const QVariant& idUtente)
{
    const QString filtro = QStringLiteral(
        " AND NOT EXISTS (SELECT IDRecord FROM Permessi WHERE IDRecord=Categorie.ID AND Tipo=0 AND %1=?)");
    return Aggiungi(filtro.arg(QLatin1String("IDGruppo")), {idGruppo})
        .Aggiungi(filtro.arg(QLatin1String("IDUtente")), {idUtente});
}

CatalogoSql& CatalogoSql::NovitaOfferte(qint32 flagNovita, qint32 flagOfferte, const QDate& oggi)
{
    if (flagNovita == -1)
        Aggiungi(QStringLiteral(" AND Prodotti.Novita=0"));
    else if (flagNovita == 1)
        Aggiungi(QStringLiteral(" AND Prodotti.Novita=1"));
    if (flagOfferte == -1)
        Aggiungi(QStringLiteral(" AND Prodotti.Offerta=0"));
    else if (flagOfferte == 1)
        Aggiungi(QStringLiteral(" AND Prodotti.Offerta=1"
                                " AND (Prodotti.ValiditaScontoDal IS NULL OR Prodotti.ValiditaScontoDal<?)"
                                " AND (Prodotti.ValiditaScontoAl IS NULL OR Prodotti.ValiditaScontoAl>=?)"),
                 {oggi.addDays(1), oggi});   // whole days, as the price engine judges the window
    return *this;
}
