#include "CdShop.h"
#include "desktop/publishing/cdrom/CCdDatabasePruner.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

// What stays on the CD of a customer: exactly the rows the customer may
// see, worked out by hand from the rights in CdShop.
struct PruneCase
{
    const char* label;
    qint32 customer;
    QList<qint32> orders;
    const char* table;
    QList<qint32> kept;
};

void PrintTo(const PruneCase& c, std::ostream* os) { *os << c.label; }

class Pruning : public ::testing::TestWithParam<PruneCase>
{
};

TEST_P(Pruning, KeepsExactlyTheRowsTheCustomerSees)
{
    CdShop shop;
    RecordingProgress progress;
    std::atomic<bool> stop{false};
    CCdDatabasePruner pruner(shop.Db(), shop.Folder(), GetParam().customer, GetParam().orders, progress, stop);
    ASSERT_TRUE(pruner.Run());
    EXPECT_EQ(shop.Ids(QString::fromUtf8(GetParam().table)), GetParam().kept);
}

INSTANTIATE_TEST_SUITE_P(Cases, Pruning, ::testing::Values(
    // Customer 10, group 1: its consignee stays but sees nothing for it
    // (with no group of its own it would otherwise uncover product 101).
    PruneCase{"RossiCustomers", 10, {}, "Clienti", {10, 11}},
    PruneCase{"RossiGroups", 10, {}, "Gruppi", {1}},
    PruneCase{"RossiOrders", 10, {}, "Ordini", {900}},
    PruneCase{"RossiProducts", 10, {}, "Prodotti", {100, 102}},
    PruneCase{"RossiCategories", 10, {}, "Categorie", {1, 2}},
    PruneCase{"RossiSections", 10, {}, "Sezioni", {1, 2}},
    PruneCase{"RossiArticles", 10, {}, "Articoli", {500, 501}},
    // Customer 20, group 2: one hidden category of product 102 is enough;
    // product 103 keeps both its categories.
    PruneCase{"BianchiCustomers", 20, {}, "Clienti", {20, 21}},
    PruneCase{"BianchiGroups", 20, {}, "Gruppi", {2}},
    PruneCase{"BianchiOrders", 20, {}, "Ordini", {901}},
    PruneCase{"BianchiProducts", 20, {}, "Prodotti", {100, 101, 103, 104}},
    PruneCase{"BianchiCategories", 20, {}, "Categorie", {1, 3}},
    PruneCase{"BianchiSections", 20, {}, "Sezioni", {1}},
    PruneCase{"BianchiArticles", 20, {}, "Articoli", {500, 502}},
    PruneCase{"BianchiOrderLines", 20, {}, "OrdiniDettaglio", {2}},
    // The anonymous user is hidden from nothing here: rights rows naming
    // only a group (user NULL) must not hide a record from everyone.
    PruneCase{"AnonymousCustomers", 0, {}, "Clienti", {0}},
    PruneCase{"AnonymousProducts", 0, {}, "Prodotti", {100, 101, 102, 103, 104}},
    PruneCase{"AnonymousOrders", 0, {}, "Ordini", {}},
    // An order selection keeps only the products of those orders, and the
    // categories that still hold one.
    PruneCase{"SelectedOrderProducts", 10, {900}, "Prodotti", {100}},
    PruneCase{"SelectedOrderCategories", 10, {900}, "Categorie", {1}}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(CdPruning, PrivateDataIsGoneAndNothingIsTracked)
{
    CdShop shop;
    RecordingProgress progress;
    std::atomic<bool> stop{false};
    const qint32 versionBefore = shop.Value("SELECT COUNT(*) FROM ProgressivoVersioneRecord").toInt();
    ASSERT_TRUE(CCdDatabasePruner(shop.Db(), shop.Folder(), 20, {}, progress, stop).Run());
    for (const char* column : {"CodiceUtente", "Password", "CodiceEsercente", "TID", "UserIDProxy", "PasswordProxy"})
        EXPECT_EQ(shop.Value(QStringLiteral("SELECT %1 FROM Configurazione").arg(column)).toString(), "") << column;
    EXPECT_EQ(shop.Value("SELECT RagioneSociale FROM Configurazione").toString(), "Bottega");
    EXPECT_EQ(shop.Ids("StatoOrdini"), QList<qint32>());
    EXPECT_EQ(shop.Value("SELECT COUNT(*) FROM RecordsEliminati").toInt(), 0);
    EXPECT_EQ(shop.Value("SELECT COUNT(*) FROM ProgressivoVersioneRecord").toInt(), versionBefore);
    EXPECT_FALSE(QFile::exists(shop.Folder() + "upd.qtr"));
    EXPECT_TRUE(progress.labels.contains("Aggiornamento tabella Prodotti in corso... Record 1/1"));
}

TEST(CdPruning, AStopEndsBetweenRecords)
{
    CdShop shop;
    RecordingProgress progress;
    std::atomic<bool> stop{true};
    EXPECT_FALSE(CCdDatabasePruner(shop.Db(), shop.Folder(), 10, {}, progress, stop).Run());
    EXPECT_EQ(shop.Ids("Clienti").size(), 5);
}

} // namespace
