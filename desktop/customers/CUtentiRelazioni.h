#pragma once

#include "desktop/customers/CClientiCollegamenti.h"

#include <QList>
#include <QString>

class CDaoDatabase;

// The Relazioni page's three lists of the customers view, the fifth page
// (an agent's customers or a customer's consignees, CClientiCollegamenti),
// and the user's own access rights that a group change offers to delete.
class CUtentiRelazioni : public CClientiCollegamenti
{
public:
    using CClientiCollegamenti::CClientiCollegamenti;

    // Each starts with the entry that means none (ID 0).
    QList<Entry> Agenti() const;
    QList<Entry> Gruppi() const;
    QList<Entry> Clienti() const;

    int RightsOf(qint32 userId) const;
    void DeleteRightsOf(qint32 userId);
};
