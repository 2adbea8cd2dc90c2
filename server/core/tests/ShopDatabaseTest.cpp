#include "server/core/Dizionario.h"
#include "server/core/testing/CQtrTestShop.h"

#include <gtest/gtest.h>

namespace {

class ShopDatabase : public ::testing::TestWithParam<CAdoConnection::Engine>
{
};

// Two shops served side by side: a page of one that points the Session at
// the other's database folder still reads its own shop's texts.
TEST_P(ShopDatabase, AnObjectOpensTheServingShopsDatabaseWhateverTheSessionSays)
{
    CQtrTestShop rosa(GetParam());
    CQtrTestShop verde(GetParam());
    rosa.AddMessage(1, "SEGRETO", {{"it", "testo di rosa"}});
    verde.AddMessage(1, "SEGRETO", {{"it", "testo di verde"}});
    CAspTestValues& session = rosa.Host().Session();
    session.SetValue("ShareConn", false);
    session.SetValue("CodiceLingua", "it");
    session.SetValue("CodiceLinguaPredefinita", "it");
    session.SetValue("DbPath", verde.DbFolder());
    auto page = rosa.NewPage();
    EXPECT_EQ(page->Create<Dizionario>("QTR50.Dizionario")->Traduci("SEGRETO"), "testo di rosa");
}

INSTANTIATE_TEST_SUITE_P(Engines, ShopDatabase, testing::Values(CAdoConnection::SQLite, CAdoConnection::PostgreSQL),
                         [](const auto& info) { return CAdoTestDatabase::EngineName(info.param); });

} // namespace
