#pragma once

#include "platform/ado/CAdoRecordset.h"

#include <QVariant>

class Catalogo;
class CatalogoVisitatore;

// A product's active colours, one by one or one by its ID, into the
// catalogue's colour properties.
class CatalogoColori
{
public:
    CatalogoColori(Catalogo& catalogo, CatalogoVisitatore& visitatore) : m_catalogo(catalogo), m_visitatore(visitatore) {}

    bool Primo();
    bool Successivo();
    // The colour of that ID (or the request's) and its product; the
    // product's first colour when none is named.
    bool Leggi(const QVariant& id);

    // How many active colours the product has; the walk through the
    // colours ends with it.
    qint32 Conta(qint32 idProdotto);
    void Chiudi();

private:
    void Carica(const CAdoRecordset& rs);
    bool Corrente();

    Catalogo& m_catalogo;
    CatalogoVisitatore& m_visitatore;
    CAdoRecordset m_rsColori;
};
