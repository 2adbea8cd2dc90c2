#include "desktop/shell/app/CCloseProtocol.h"
#include "desktop/shell/controls/CMessageBoxScript.h"
#include "desktop/shell/controls/CValidatedEdit.h"
#include "desktop/shell/controls/tests/ShopTestDb.h"
#include "desktop/shell/settings/CParAziView.h"
#include "desktop/shell/settings/CParAziViewCore.h"

#include <QLabel>
#include <QTabBar>

#include <gtest/gtest.h>

namespace {

constexpr int kRagioneSociale = 1054;

class CompanyTest : public ::testing::Test
{
protected:
    int Version() { return shop.Value("SELECT VersioneRecord FROM Configurazione WHERE ID=1").toInt(); }

    ShopTestDb shop;
    CMessageBoxScript boxes;
    CCloseProtocol protocol{nullptr, [] { return true; }};
};

TEST_F(CompanyTest, EmptyTableGetsRowOneAtTheFirstChange)
{
    CParAziView view(shop.Db());
    EXPECT_EQ(view.CompanyPage()->Edit(kRagioneSociale)->text(), "");
    EXPECT_TRUE(protocol.MayClose(view));
    EXPECT_EQ(shop.Value("SELECT COUNT(*) FROM Configurazione").toInt(), 0) << "nothing changed, nothing written";

    view.CompanyPage()->Edit(kRagioneSociale)->SetValue(QStringLiteral("Scarpe Rossi srl"));
    EXPECT_TRUE(protocol.MayClose(view));
    EXPECT_EQ(shop.Value("SELECT ID FROM Configurazione").toInt(), 1);
    EXPECT_EQ(shop.Value("SELECT RagioneSociale FROM Configurazione").toString(), "Scarpe Rossi srl");
    EXPECT_EQ(shop.Value("SELECT Modificato FROM Configurazione").toInt(), 1);
}

TEST_F(CompanyTest, SwitchingTabsSavesAndComingBackShowsTheStoredRow)
{
    shop.Row("Configurazione", {{"ID", 1}, {"RagioneSociale", "Vecchia"}, {"Cap", "20100"}});
    CParAziView view(shop.Db());
    EXPECT_EQ(view.CompanyPage()->Edit(1038)->text(), "20100");
    view.CompanyPage()->Edit(kRagioneSociale)->SetValue(QStringLiteral("Nuova"));
    const int before = Version();

    view.ShowPage(1);
    EXPECT_EQ(view.CompanyPage(), nullptr) << "only the page of the current tab exists";
    EXPECT_EQ(shop.Value("SELECT RagioneSociale FROM Configurazione").toString(), "Nuova");
    EXPECT_GT(Version(), before);

    view.ShowPage(0);
    ASSERT_NE(view.CompanyPage(), nullptr);
    EXPECT_EQ(view.CompanyPage()->Edit(kRagioneSociale)->text(), "Nuova");
    view.RefreshLanguage();   // the company data are not per language
    EXPECT_EQ(view.CompanyPage()->Edit(kRagioneSociale)->text(), "Nuova");
}

TEST_F(CompanyTest, UnchangedFieldsWriteNothing)
{
    shop.Row("Configurazione", {{"ID", 1}, {"RagioneSociale", "Ditta"}, {"VersioneRecord", 4}});
    CParAziView view(shop.Db());
    view.ShowPage(1);
    view.ShowPage(0);
    EXPECT_TRUE(protocol.MayClose(view));
    EXPECT_EQ(Version(), 4);
}

TEST_F(CompanyTest, PresentationPageComesFromItsEditor)
{
    CParAziView::SetChiSiamoFactory([](QWidget* parent) { return new QLabel(QStringLiteral("Chi siamo"), parent); });
    CParAziView view(shop.Db());
    view.ShowPage(1);
    EXPECT_EQ(view.Tabs()->tabText(1), "  Chi siamo  ");
    EXPECT_NE(view.findChild<QLabel*>(), nullptr);
    CParAziView::SetChiSiamoFactory({});
}

} // namespace
