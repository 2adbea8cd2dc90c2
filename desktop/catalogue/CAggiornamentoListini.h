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

    // old x (percent + 100) / 100, cut to the currency's unit half up (the
    // shop and the desk charge whole units of it).
    static double NewPrice(double old, double percent, double unit);
    // Why the settings may not run (a decrease beyond 100% would make prices
    // negative); empty when they may.
    static QString Refusal(const Settings& settings);
    // The question asked before any price changes; listText is the combo's
    // entry, categoryText the chosen category's name.
    static QString Confirmation(const Settings& settings, const QString& listText, const QString& categoryText);

private:
    Result WorkOnCopy(CDaoDatabase& copy, ICatalogueProgress& progress) override;
    // The unit of the price list's currency (Valute.Arrotondamento); cents
    // when the list has no currency or it sets no unit.
    static double ListUnit(CDaoDatabase& db);
    QVector<qint32> Products(CDaoDatabase& db) const;
    void ChangeProduct(CDaoDatabase& db, qint32 productId);

    QString m_strScratch;
    Settings m_settings;
    double m_dUnit = 0.01;
    int m_nProducts = 0;
};
