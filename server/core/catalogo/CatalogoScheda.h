#pragma once

#include "platform/ado/CAdoRecordset.h"

#include <QHash>
#include <QString>
#include <QVariant>

class Catalogo;
class CatalogoColori;
class CatalogoPagina;
class CatalogoPrezzi;
class CatalogoVisitatore;

// One product's record as the page shows it: its own row, its texts and
// price in the visitor's language and price list, its number of colours,
// its sizes on sale and custom fields, into the catalogue's product
// properties.
class CatalogoScheda
{
public:
    CatalogoScheda(Catalogo& catalogo, CatalogoVisitatore& visitatore, CatalogoPrezzi& prezzi, CatalogoColori& colori)
        : m_catalogo(catalogo), m_visitatore(visitatore), m_prezzi(prezzi), m_colori(colori)
    {
    }

    // The product of the row rs stands on; pagina holds what was read for
    // the whole page, if anything.
    void Carica(const CAdoRecordset& rs, CatalogoPagina& pagina);
    // Ends the language row the last product was read with.
    void ChiudiLingua();

    QString CampoCustom(const QVariant& n);
    QString Taglia(const QVariant& posizione) const;

private:
    void LeggiRigaLingua(qint32 id, CatalogoPagina& pagina);
    void CaricaTaglie(const CAdoRecordset& rs);

    Catalogo& m_catalogo;
    CatalogoVisitatore& m_visitatore;
    CatalogoPrezzi& m_prezzi;
    CatalogoColori& m_colori;
    QString m_campiCustom;
    QHash<qint32, QString> m_valoriTaglie;
    CAdoRecordset m_rsLingua;
    CAdoRecordset m_rsTaglie;
};
