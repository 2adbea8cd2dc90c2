#pragma once

#include "desktop/catalogue/CCatalogueJob.h"

#include <QString>
#include <QVector>

class CDaoDatabase;

// The bulk price update: one price list or all four, and optionally the
// promotional price, of every product or of the products linked directly
// to one category, changed by a percentage in every language row. Each
// product is changed once, however many links bring it in. The run works
// on db/tempdb.mdb and puts it in place with one rename; a stop or a
// failure leaves the project's database as it was.
class CAggiornamentoListini : public CCatalogueJob
{
public:
    // The "Listino" combo's entries, by index.
    enum List { AllLists = 0, Price1, Price2, Price3, Price4 };

    struct Settings
    {
        qint32 nCategory = 0;        // 0: all products
        double dPercent = 0;         // negative for a decrease
        int nList = AllLists;
        bool bPromotional = false;   // also PrezzoPromozione
    };

    CAggiornamentoListini(CDaoDatabase& project, const QString& projectFolder, const Settings& settings);

    int ChangedProducts() const { return m_nProducts; }

    // old x (percent + 100) / 100, not rounded.
    static double NewPrice(double old, double percent);

private:
    Result WorkOnCopy(CDaoDatabase& copy, ICatalogueProgress& progress) override;
    QVector<qint32> Products(CDaoDatabase& db) const;
    void ChangeProduct(CDaoDatabase& db, qint32 productId);

    QString m_strScratch;
    Settings m_settings;
    int m_nProducts = 0;
};
