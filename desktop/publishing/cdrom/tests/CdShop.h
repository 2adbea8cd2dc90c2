#pragma once

#include "desktop/catalogue/ICatalogueProgress.h"
#include "desktop/shell/controls/tests/ShopTestDb.h"

#include <QStringList>

// A small shop for the CD edition's tests. Two customers with their
// consignees, in two groups, and rights that hide different things from
// each (rights rows naming a group leave the user NULL, and the reverse):
//   products 100 (category 1), 101 (category 1, hidden from group 1) with
//   its variant 104, 102 (category 2, which is hidden from group 2), 103
//   (categories 1 and 3, 3 hidden from customer 10);
//   articles 500 (section 1), 501 (section 2, hidden from group 2), 502
//   (section 1, hidden from customer 10);
//   orders 900 of customer 10 (holding product 100) and 901 of customer 20.
class CdShop : public ShopTestDb
{
public:
    CdShop();
    QList<qint32> Ids(const QString& table);
};

// Records the reports; nothing is shown.
class RecordingProgress : public ICatalogueProgress
{
public:
    void SetLabel(const QString& text) override { labels.append(text); }
    void SetTotal(int total) override { totals.append(total); }
    void SetDone(int done) override { lastDone = done; }

    QStringList labels;
    QList<int> totals;
    int lastDone = -1;
};
