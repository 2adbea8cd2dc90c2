#pragma once

#include <QtGlobal>

// A product's size settings as the product card holds them while they are
// edited: the size table (0 none) and the first and last size on sale,
// zero-based positions in that table's list (-1 none). The card writes
// them to Prodotti.IDTabellaTaglie, DATaglia and ATaglia when it saves.
struct TaglieProdotto
{
    qint32 IDTabellaTaglie = 0;
    qint32 DATaglia = -1;
    qint32 ATaglia = -1;

    bool operator==(const TaglieProdotto&) const = default;
};
