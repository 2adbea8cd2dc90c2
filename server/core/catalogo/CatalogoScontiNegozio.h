#pragma once

#include "server/core/catalogo/CatalogoRigaSconto.h"

#include <QHash>
#include <QList>
#include <QVector>

#include <memory>

class CAdoConnection;

// A shop's whole ScontiProdotto table, read once and looked up by product
// and by category, for the shop's data kept between pages: the merchant's
// discount rows are few, and every page of every visitor asks for some.
// A table past a few megabytes is not kept.
class CatalogoScontiNegozio
{
public:
    // nullptr when the table has too many rows to keep.
    static std::shared_ptr<const CatalogoScontiNegozio> Leggi(CAdoConnection* connessione);

    // The rows of the customer or of his group on one of the products or
    // of the categories, each once and in ID order, as
    // "WHERE (IDUtente=? OR IDGruppo=?) AND (IDProdotto IN (...) OR
    // IDCategoria IN (...)) ORDER BY ID" finds them.
    QVector<const CatalogoRigaSconto*> Righe(qint32 utente, qint32 gruppo, const QList<qint32>& prodotti,
                                             const QList<qint32>& categorie) const;

private:
    QVector<CatalogoRigaSconto> m_righe;   // in ID order
    QHash<qint32, QVector<qsizetype>> m_perProdotto;
    QHash<qint32, QVector<qsizetype>> m_perCategoria;
};
