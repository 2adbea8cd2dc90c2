#pragma once

#include <QString>

class Catalogo;
class CatalogoFile;
class CatalogoVisitatore;

// The pictures and files of what the catalogue has read: the category's
// picture in the visitor's language, the product's picture and file, the
// colour's picture and detail; each writes its site path into the
// catalogue's property.
class CatalogoImmagini
{
public:
    CatalogoImmagini(Catalogo& catalogo, CatalogoVisitatore& visitatore)
        : m_catalogo(catalogo), m_visitatore(visitatore)
    {
    }

    bool FotoCategoria();
    bool FotoProdotto();
    bool FotoColore();
    bool DettaglioColore();
    bool FileProdotto(const QString& codice);

private:
    CatalogoFile File() const;

    Catalogo& m_catalogo;
    CatalogoVisitatore& m_visitatore;
};
