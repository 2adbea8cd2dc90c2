#pragma once

#include <QVariant>

class Catalogo;
class CatalogoProdotti;
class CatalogoScheda;
class CatalogoVisitatore;

// A base product's active variants, one by one on the product cursor,
// each read into the catalogue as a product.
class CatalogoVarianti
{
public:
    CatalogoVarianti(Catalogo& catalogo, CatalogoVisitatore& visitatore, CatalogoProdotti& prodotti,
                     CatalogoScheda& scheda)
        : m_catalogo(catalogo), m_visitatore(visitatore), m_prodotti(prodotti), m_scheda(scheda)
    {
    }

    // The first variant of the product of that ID, or of the catalogue's
    // product when none is named.
    bool Prima(const QVariant& id);
    bool Successiva();

private:
    bool Corrente();

    Catalogo& m_catalogo;
    CatalogoVisitatore& m_visitatore;
    CatalogoProdotti& m_prodotti;
    CatalogoScheda& m_scheda;
};
