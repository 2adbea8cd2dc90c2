#pragma once

#include "server/core/catalogo/CatalogoSql.h"

#include <QDate>
#include <QList>
#include <QVariant>

class CAdoConnection;

// The clauses every content query shares, each added to a query with its
// values bound: what Permessi hides from the visitor's group or from the
// visitor, the publication window and the novelty switch. A missing group
// or user is bound as null and hides nothing.
class ContenutiFiltri
{
public:
    ContenutiFiltri() = delete;

    // A row of kind 2 on the section.
    static void Sezione(CatalogoSql& sql, const QVariant& idGruppo, const QVariant& idUtente);
    // A row of kind 2 on any section of the article, or of kind 3 on the
    // article.
    static void Articolo(CatalogoSql& sql, const QVariant& idGruppo, const QVariant& idUtente);
    // Both bounds inclusive, an empty bound open.
    static void Pubblicazione(CatalogoSql& sql, const QDate& oggi);
    // -1 only articles that are not new, 1 only new ones, else all.
    static void Novita(CatalogoSql& sql, qint32 flagNovita);

    // The IDs of a tree of rows: the root, then each child's own list,
    // depth first, from "SELECT ID FROM <tabella> WHERE <padre>=?". A row
    // met twice (a loop in the tree) is not followed again.
    static QList<qint32> Discendenti(CAdoConnection* connessione, const QString& tabella, const QString& padre,
                                     qint32 radice);
    // " IN (?, ?, ...)" with the IDs added as values.
    static void In(CatalogoSql& sql, const QList<qint32>& ids);
};
