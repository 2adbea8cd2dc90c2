#pragma once

#include "server/core/catalogo/CatalogoSql.h"

class CAdoConnection;
class CAdoRecordset;

// A list of products read a page at a time: the page's rows and the one
// after it (read with the page), with the number of rows in the whole
// list; a walk past them reads the rest of the list. A category of
// thousands costs a page what a category of twenty does.
class CatalogoFinestra
{
public:
    // Opens rs on the first row of page `pagina` (a page beyond the last
    // is the last) of the rows of "SELECT " + colonne and the query's
    // clauses from FROM on, in the given order, `lunghezza` rows to a
    // page; false when the query has no rows.
    bool Apri(CAdoRecordset& rs, CAdoConnection* connection, const QString& colonne, const CatalogoSql& daFrom,
              const QString& ordine, qint32 lunghezza, qint32 pagina);
    // rs stands at the end of what was read: reads the rest of the list,
    // rs then on its first row. False when nothing is left to read.
    bool LeggiResto(CAdoRecordset& rs);
    // Reads page `pagina` of the same list (past the last: no rows), rs on
    // its first row.
    void VaiAPagina(CAdoRecordset& rs, qint32 pagina);
    void Chiudi();

    // The page length (no more than the rows there are), the page shown and
    // how many there are.
    qint32 Lunghezza() const { return m_lunghezza; }
    qint32 Pagina() const { return m_pagina; }
    qint32 Pagine() const { return m_pagine; }

private:
    void LeggiPagina(CAdoRecordset& rs);
    qint64 Conta() const;
    QString Righe() const;

    CAdoConnection* m_connessione = nullptr;
    QString m_colonne;
    CatalogoSql m_sql;
    QString m_ordine;
    qint64 m_totale = 0;
    qint64 m_inizio = 0;   // the page's first row in the list, from 0
    bool m_resto = false;  // rows after those read
    qint32 m_lunghezza = 0;
    qint32 m_pagina = 0;
    qint32 m_pagine = 0;
};
