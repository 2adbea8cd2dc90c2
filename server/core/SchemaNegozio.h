#pragma once

class CAdoConnection;

// A shop database made by an earlier release lacks the columns added since:
// they are added, with the definition a new table gives them, the first
// time this process opens that database, before any page or the
// synchronisation reads or writes them. Rows already there keep their
// values; a new column that may hold NULL holds it for them ("not set").
class SchemaNegozio
{
public:
    SchemaNegozio() = delete;

    static void AggiungiColonneMancanti(CAdoConnection& conn);
};
