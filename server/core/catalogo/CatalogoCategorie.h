#pragma once

#include "platform/ado/CAdoRecordset.h"

#include <QString>
#include <QVariant>

class Catalogo;
class CatalogoAlbero;
class CatalogoVisitatore;

// Browsing the category tree: one category, a page of a category's
// children, the path of links above a category, whether one category lies
// below another, and the categories a product is filed in. Each read
// fills the catalogue's category properties.
class CatalogoCategorie
{
public:
    CatalogoCategorie(Catalogo& catalogo, CatalogoVisitatore& visitatore)
        : m_catalogo(catalogo), m_visitatore(visitatore)
    {
    }

    bool Leggi(const QVariant& idOCodice);
    bool ApriPagina(const QVariant& idOCodice);
    bool Successiva();
    void ChiudiPagina();
    bool Discende(const QVariant& prova, const QVariant& padre);

    // The categories of the catalogue's product, in the order it was
    // filed in them.
    bool PrimaDelProdotto();
    bool SuccessivaDelProdotto();

private:
    void Carica(const CAdoRecordset& rs);
    CatalogoAlbero Albero() const;
    void Testi(qint32 id, QString& nome, QString& descrizione);
    QString Percorso(qint32 id);
    qint32 ContaProdotti(qint32 id);
    bool CategoriaProdottoCorrente();

    Catalogo& m_catalogo;
    CatalogoVisitatore& m_visitatore;
    CAdoRecordset m_rsCategorie;
    CAdoRecordset m_rsCategorieProdotto;
};
