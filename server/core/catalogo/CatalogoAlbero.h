#pragma once

#include <QList>
#include <QVariant>

#include <optional>

class CAdoConnection;

// The shop's category tree as the catalogue walks it: a category named by
// its ID or its code, its parent, whether it has children, and all its
// descendants. Every read goes through the shop's kept rows (CacheNegozio).
class CatalogoAlbero
{
public:
    explicit CatalogoAlbero(CAdoConnection* connection) : m_connection(connection) {}

    // The ID of the category with that ID (a number) or that code.
    std::optional<qint32> Cerca(const QVariant& idOCodice) const;
    // The parent's ID (0 for a top category); nothing when id names none.
    std::optional<qint32> Padre(qint32 id) const;
    bool HaFigli(qint32 id) const;
    // id and every category below it, each once, whatever loops the tree
    // holds.
    QList<qint32> ConDiscendenti(qint32 id) const;

private:
    CAdoConnection* m_connection;
};
