#pragma once

#include "platform/ado/CAdoRecordset.h"
#include "server/core/catalogo/CatalogoFinestra.h"
#include "server/core/catalogo/CatalogoPagina.h"

#include <QString>
#include <QVariant>

class Catalogo;
class CatalogoPrezzi;
class CatalogoScheda;
class CatalogoSql;
class CatalogoVisitatore;

// The product cursor: a category's products page by page, one product by
// its ID, and the random showcase. Each product it steps onto is read into
// the catalogue by the product record.
class CatalogoProdotti
{
public:
    CatalogoProdotti(Catalogo& catalogo, CatalogoVisitatore& visitatore, CatalogoPrezzi& prezzi, CatalogoScheda& scheda)
        : m_catalogo(catalogo), m_visitatore(visitatore), m_prezzi(prezzi), m_scheda(scheda)
    {
    }

    // The next product page lists every category's products.
    void DisattivaCategorie() { m_categorieDisattivate = true; }
    bool ApriPagina(const QVariant& pagina, const QVariant& categoria);
    bool Successivo();
    bool Primo();
    bool UltimaPagina();
    bool Leggi(const QVariant& id);

    bool ApriCasuali(const QVariant& categoria);
    void CasualeSuccessivo();

    // Ends the product cursor and the language cursor that goes with it.
    void Chiudi();
    // Forgets what was read for the page, as a new connection must.
    void ChiudiPagina() { m_pagina.Chiudi(); }

    CAdoRecordset& Cursore() { return m_rsProdotti; }
    // Reads the product the cursor stands on.
    void Carica();

private:
    // Opens the page of the list in the given order that the Session asks
    // for.
    bool ApriFinestra(const CatalogoSql& sql, const QString& ordine);

    Catalogo& m_catalogo;
    CatalogoVisitatore& m_visitatore;
    CatalogoPrezzi& m_prezzi;
    CatalogoScheda& m_scheda;
    bool m_categorieDisattivate = false;
    CatalogoPagina m_pagina;
    CatalogoFinestra m_finestra;
    CAdoRecordset m_rsProdotti;
};
