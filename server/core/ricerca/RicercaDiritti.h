#pragma once

#include <QString>
#include <QVariant>
#include <QVariantList>

// What the Permessi rows hide from the visitor, for a record named by a
// kind and an ID column: a category (kind 0) or a section (kind 2) by a
// right on itself, a product (kind 1) by a right on itself or on any of
// its categories, an article (kind 3) by a right on itself or on any of
// its sections; a banner (kind 4) is never hidden. A right names the
// visitor's group or the visitor; the two are bound, and a missing one
// (null) matches no row.
class RicercaDiritti
{
public:
    RicercaDiritti() = delete;

    // " AND NOT EXISTS (...)" over the columns tipo and id; the group and
    // the user are appended to parametri.
    static QString Clausola(const QString& tipo, const QString& id, const QVariant& idGruppo, const QVariant& idUtente,
                            QVariantList& parametri);
};
