#pragma once

#include "server/core/catalogo/CatalogoPrezzo.h"

#include <memory>

class Catalogo;
class CatalogoFonteScontiAdo;
class CatalogoVisitatore;

// The product's price as the catalogue shows it: the offer and the
// customer's discounts by the price engine, then the amounts with tax and
// in each currency into the catalogue's price properties.
class CatalogoPrezzi
{
public:
    CatalogoPrezzi(Catalogo& catalogo, CatalogoVisitatore& visitatore);
    ~CatalogoPrezzi();

    CatalogoPrezzo& Prezzo() { return m_prezzo; }
    const CatalogoPrezzo& Prezzo() const { return m_prezzo; }

    // The discount lookup on the catalogue's connection, made when first
    // asked; Rilascia lets it go with the connection.
    CatalogoFonteScontiAdo& Fonte();
    void Rilascia();

    // The offer and the visitor's discounts on the price just read.
    void CalcolaPrezzo();
    // The amounts the page prints, from the price CalcolaPrezzo left.
    void CalcolaImporti();

private:
    Catalogo& m_catalogo;
    CatalogoVisitatore& m_visitatore;
    CatalogoPrezzo m_prezzo;
    std::unique_ptr<CatalogoFonteScontiAdo> m_fonte;
};
