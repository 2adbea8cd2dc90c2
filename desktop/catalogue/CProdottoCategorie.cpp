#include "desktop/catalogue/CProdottoCategorie.h"

#include "platform/dao/CDaoTransaction.h"
#include "recordset/CCategorieProdottiSet.h"

#include <QSqlQuery>

QSet<qint32> CProdottoCategorie::Of(qint32 product) const
{
    QSet<qint32> categories;
    QSqlQuery query(m_db.Connection());
    query.prepare(QStringLiteral("SELECT IDCategoria FROM CategorieProdotti WHERE IDProdotto=?"));
    query.addBindValue(product);
    CDaoDatabase::Exec(query, query.lastQuery());
    while (query.next())
        categories.insert(query.value(0).toInt());
    return categories;
}

bool CProdottoCategorie::Has(qint32 product, qint32 category) const
{
    QSqlQuery query(m_db.Connection());
    query.prepare(QStringLiteral("SELECT 1 FROM CategorieProdotti WHERE IDProdotto=? AND IDCategoria=?"));
    query.addBindValue(product);
    query.addBindValue(category);
    CDaoDatabase::Exec(query, query.lastQuery());
    return query.next();
}

QList<qint32> CProdottoCategorie::Variants(qint32 product) const
{
    QList<qint32> variants;
    QSqlQuery query(m_db.Connection());
    query.prepare(QStringLiteral("SELECT ID FROM Prodotti WHERE IDProdottoBase=? AND ID<>?"));
    query.addBindValue(product);
    query.addBindValue(product);
    CDaoDatabase::Exec(query, query.lastQuery());
    while (query.next())
        variants << query.value(0).toInt();
    return variants;
}

void CProdottoCategorie::Add(qint32 product, qint32 category)
{
    CCategorieProdottiSet links(&m_db);
    links.m_strFilter = QStringLiteral("ID=0 AND ID<>0");
    links.Open();
    const qint32 id = links.GetNextID();
    links.AddNew();
    links.m_ID = id;
    links.m_IDCategoria = category;
    links.m_IDProdotto = product;
    links.m_Modificato = true;
    links.Update();
}

void CProdottoCategorie::Remove(qint32 product, qint32 category)
{
    CCategorieProdottiSet links(&m_db);
    links.m_strFilter = QStringLiteral("IDProdotto=? AND IDCategoria=?");
    links.m_filterParams = {product, category};
    links.Open();
    for (; !links.IsEOF(); links.MoveNext())
        links.Delete();
}

bool CProdottoCategorie::Toggle(qint32 product, qint32 category)
{
    if (product <= 0 || category <= 0)
        return false;
    QSet<qint32> seen{product};
    CDaoTransaction transaction(m_db);
    const bool had = Has(product, category);
    if (had) {
        RemoveFromVariants(product, category, seen);
        Remove(product, category);
    } else {
        Add(product, category);
        AddToVariants(product, category, seen);
    }
    transaction.Commit();
    return !had;
}

// seen guards against a product that is, through its variants, its own base.
void CProdottoCategorie::AddToVariants(qint32 product, qint32 category, QSet<qint32>& seen)
{
    for (qint32 variant : Variants(product)) {
        if (seen.contains(variant))
            continue;
        seen.insert(variant);
        if (!Has(variant, category))
            Add(variant, category);
        AddToVariants(variant, category, seen);
    }
}

void CProdottoCategorie::RemoveFromVariants(qint32 product, qint32 category, QSet<qint32>& seen)
{
    for (qint32 variant : Variants(product)) {
        if (seen.contains(variant))
            continue;
        seen.insert(variant);
        Remove(variant, category);
        RemoveFromVariants(variant, category, seen);
    }
}

void CProdottoCategorie::CopyFrom(qint32 base, qint32 product)
{
    const QSet<qint32> have = Of(product);
    for (qint32 category : Of(base))
        if (!have.contains(category))
            Add(product, category);
}

void CProdottoCategorie::RemoveAll(qint32 product)
{
    CCategorieProdottiSet links(&m_db);
    links.m_strFilter = QStringLiteral("IDProdotto=?");
    links.m_filterParams = {product};
    links.Open();
    for (; !links.IsEOF(); links.MoveNext())
        links.Delete();
}
