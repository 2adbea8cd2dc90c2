#pragma once

#include <QString>

class CDaoDatabase;

// New row IDs of the catalogue's editors and jobs: the highest ID of the
// table below the server's range, plus 1 (1 in an empty table). Rows made
// on the desktop stay below 1000000000, where the shop starts its own.
class CCatalogueIds
{
public:
    static constexpr qint64 kFirstServerId = 1000000000;

    // table is one of the program's own table names, never outside text.
    static qint32 NextId(CDaoDatabase& database, const QString& table);
};
