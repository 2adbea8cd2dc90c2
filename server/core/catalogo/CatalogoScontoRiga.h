#pragma once

#include "server/core/catalogo/CatalogoPrezzo.h"

#include <QVariant>

#include <array>

// The discount columns of one row, whichever table it comes from: a
// ScontiProdotto row has them all, a Clienti or Gruppi row only the
// default and period discounts. Null columns stay null QVariants.
struct CatalogoScontoRiga
{
    QVariant scontoPredefinito;
    QVariant prezzoPromoPredefinito;
    QVariant validitaDal;
    QVariant validitaAl;
    QVariant scontoPeriodo;
    QVariant prezzoPromoPeriodo;
    QVariant validitaQuantitaDal;
    QVariant validitaQuantitaAl;
    std::array<QVariant, kFasceQuantita> quantita;
    std::array<QVariant, kFasceQuantita> sconto;
    std::array<QVariant, kFasceQuantita> prezzoPromo;
};

// A customer as the discount lookup sees him.
struct CatalogoCliente
{
    qint32 gruppo = 0;
    CatalogoScontoRiga sconti;
};
