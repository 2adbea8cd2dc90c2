#pragma once

#include "server/demo/DemoShopData.h"

#include <QStringList>

class CDaoDatabase;
class CQTRDaoRecordset;

// Writes the demo catalogue into a shop database that starts as a copy of
// the installation's reference database, through the table classes, in
// one transaction: the shop's details, its languages, categories,
// products with their variants and colours, customer groups and
// customers, discounts, the company page and the dictionary texts the
// shop's pages show.
class DemoShopWriter
{
public:
    DemoShopWriter(CDaoDatabase& database, const DemoShopData& data);

    // Raises CDaoException or DemoDataError; the database then holds none
    // of the demo rows.
    void Write();

    // The codes of the shop's languages, the default one first.
    QStringList Languages() const;

private:
    void WriteShop();
    void WriteLanguages();
    void WriteCategories();
    void WriteProducts();
    class NextIds;
    void WriteProduct(const DemoRecord& product, CQTRDaoRecordset& products, CQTRDaoRecordset& texts,
                      NextIds& textIds, CQTRDaoRecordset& links, NextIds& linkIds);
    void WriteColours();
    void WriteSizes();
    void WriteShipping();
    void WriteGroups();
    void WriteCustomers();
    void WriteInterests();
    void WriteDiscounts();
    void WriteCompanyPages();
    void WriteTexts();
    // A text by language: "Nome.it", "Nome.en"; the default language's
    // text where a language has none.
    QString InLanguage(const DemoRecord& record, const QString& name, const QString& language) const;

    CDaoDatabase& m_database;
    const DemoShopData& m_data;
};
