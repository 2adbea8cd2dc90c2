#pragma once

#include "platform/ado/CAdoRecordset.h"

class CatalogoSql;
class Contenuti;

// The walk of the content tree that a site map or a menu draws: the
// sections of one level in their order, each followed, when asked, by
// its subsections (one level) and its articles. The walk stands on a
// section of the level (TipoRecord 0), a subsection (1) or an article
// (2), or has done a section's children (3).
class ContenutiAlbero
{
public:
    enum Tipo { Livello = 0, SottoSezione = 1, Articolo = 2, Fatto = 3 };

    // Opens the level's query and reads its first section.
    bool Apri(Contenuti& contenuti, const CatalogoSql& livello);
    // The next row of the walk, filling the page's properties; false at
    // the end of the tree.
    bool Successivo(Contenuti& contenuti, bool sezioni, bool articoli);
    void Chiudi();

private:
    bool ApriSottoSezioni(Contenuti& contenuti);
    bool ApriArticoli(Contenuti& contenuti);

    CAdoRecordset m_livello;
    CAdoRecordset m_sottoSezioni;
    CAdoRecordset m_articoli;
};
