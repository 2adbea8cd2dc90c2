#pragma once

#include "recordset/schema/IQtrSqlSession.h"

#include <QString>

// The generation of a shop's data: a counter in ContatoriID under a key of
// its own, raised in the same transaction as every write that the desktop's
// synchronisation makes. A shop server keeps the data its pages read again
// and again (settings, languages, the dictionary) as long as the
// generation it read them under is the database's, so an upload through
// any server of a database reaches every server's next page.
class QtrDataGeneration
{
public:
    // The counter's key; table counters are "<table>:web" and
    // "<table>:locale", so it never meets one.
    static QString Key() { return QStringLiteral("negozio:dati"); }

    static void Raise(IQtrSqlSession& database);
};
