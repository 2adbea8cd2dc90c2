#pragma once

#include <QSet>

class CDaoDatabase;

// A product's category links (CategorieProdotti), written at once through
// the table class. Variants carry their base product's categories, so a
// category added to or removed from a product goes to all its variants,
// down every level; a variant that already has the link is left alone.
class CProdottoCategorie
{
public:
    explicit CProdottoCategorie(CDaoDatabase& database) : m_db(database) {}

    QSet<qint32> Of(qint32 product) const;
    // Adds the link when missing, else removes it; returns whether the
    // product now has the category.
    bool Toggle(qint32 product, qint32 category);
    // Gives product every category of base it lacks (a new variant).
    void CopyFrom(qint32 base, qint32 product);
    // Deletes every link of product (an insertion given up).
    void RemoveAll(qint32 product);

private:
    bool Has(qint32 product, qint32 category) const;
    void Add(qint32 product, qint32 category);
    void Remove(qint32 product, qint32 category);
    void AddToVariants(qint32 product, qint32 category, QSet<qint32>& seen);
    void RemoveFromVariants(qint32 product, qint32 category, QSet<qint32>& seen);
    QList<qint32> Variants(qint32 product) const;

    CDaoDatabase& m_db;
};
