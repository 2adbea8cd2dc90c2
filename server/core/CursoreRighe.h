#pragma once

class CAdoRecordset;

// The script objects' result lists are read a row at a time by a page's
// "first"/"next" loop. A "next" with no list open, or past its end,
// answers false rather than failing: pages call it until it does.
class CursoreRighe
{
public:
    // Moves to the next row; false when there is none. With chiudiAllaFine
    // the list closes when it ends, so a page that stops early or reads on
    // leaves nothing open.
    static bool Avanza(CAdoRecordset& rs, bool chiudiAllaFine);
};
