#pragma once

#include "server/core/catalogo/CatalogoScontoRiga.h"

#include <QVector>

#include <optional>

// Where the discount engine finds its rows; the shop database in service,
// a table of cases in tests. Rows of one owner come in a stable order, so
// "the first row" means the same row every time.
class ICatalogoFonteSconti
{
public:
    enum Titolare { DelUtente, DelGruppo };

    virtual ~ICatalogoFonteSconti() = default;

    virtual std::optional<CatalogoCliente> Cliente(qint32 idUtente) = 0;
    virtual std::optional<CatalogoScontoRiga> Gruppo(qint32 idGruppo) = 0;
    // The first discount row of the owner for the product itself.
    virtual std::optional<CatalogoScontoRiga> RigaProdotto(Titolare titolare, qint32 id, qint32 idProdotto) = 0;
    // The owner's rows for any category the product belongs to.
    virtual QVector<CatalogoScontoRiga> RigheCategorie(Titolare titolare, qint32 id, qint32 idProdotto) = 0;
};
