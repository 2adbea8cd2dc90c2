#pragma once

#include "server/core/catalogo/CatalogoScontoRiga.h"

class CAdoRecordset;

// A ScontiProdotto row with the columns that say whose and what it is. A
// Null in one of them matches nothing, as in SQL: it reads 0 and says so.
struct CatalogoRigaSconto
{
    qint32 id = 0;
    qint32 idUtente = 0;
    qint32 idGruppo = 0;
    qint32 idProdotto = 0;
    qint32 idCategoria = 0;
    bool utenteNullo = false;
    bool gruppoNullo = false;
    bool prodottoNullo = false;
    bool categoriaNulla = false;
    CatalogoScontoRiga sconti;

    // The recordset's current row.
    static CatalogoRigaSconto Leggi(const CAdoRecordset& rs);
    // The discount columns of the current row of ScontiProdotto, Clienti or
    // Gruppi (those the table lacks stay null).
    static CatalogoScontoRiga Sconti(const CAdoRecordset& rs);
    // Whether the row is the customer's or his group's.
    bool Di(qint32 utente, qint32 gruppo) const
    {
        return (!utenteNullo && idUtente == utente) || (!gruppoNullo && idGruppo == gruppo);
    }
};
