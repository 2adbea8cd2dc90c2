#pragma once

#include <QList>
#include <QVariant>

class CAdoConnection;

// What Permessi hides from one visitor: the categories (rows of kind 0)
// and the products (kind 1) named for the visitor's group or for the
// visitor. Permessi is written only by the desktop's synchronisation, so
// its rows come from what the shop server keeps between pages, and a page
// of products carries the few IDs instead of four lookups per product.
struct CatalogoDiritti
{
    // A missing group or user is null and hides nothing.
    static CatalogoDiritti Leggi(CAdoConnection* connection, const QVariant& idGruppo, const QVariant& idUtente);

    QVariant idGruppo;
    QVariant idUtente;
    QList<qint32> categorie;
    QList<qint32> prodotti;
};
