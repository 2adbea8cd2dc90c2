// The road of an access right: a group and a customer in it made on the
// desk, a category hidden from the group in the rights view, the site
// upload; on the shop the customer, once signed in, no longer finds the
// category, while the anonymous visitor still does.

#include "desktop/customers/CGruppiViewCore.h"
#include "desktop/customers/CPermessiViewCore.h"
#include "desktop/customers/CUtentiViewCore.h"
#include "desktop/shell/app/TindaCommandIds.h"
#include "desktop/shell/controls/CMessageBoxScript.h"
#include "server/host/testing/CHttpTestClient.h"
#include "tests/road/RoadProject.h"
#include "tests/road/RoadShop.h"

#include <gtest/gtest.h>

namespace {

TEST(AccessRightsRoad, ACategoryHiddenFromAGroupOnTheDeskIsHiddenFromItsSignedInMember)
{
    CMessageBoxScript boxes;
    RoadShop shop;
    shop.Start();
    RoadProject project;
    project.PointAt(shop.Port(), "pa&ss=1");
    project.AddCategory(4, "Sedie");
    project.AddCategory(5, "Tavoli");
    project.Db().Execute("INSERT INTO Clienti (ID, Cognome, TipoUtente, IDGruppo, Modificato) "
                         "VALUES (0, 'Visitatore', 1, 0, 1)");

    CGruppiViewCore groups(project.Db());
    groups.Form().strNome = "Rivenditori";
    ASSERT_TRUE(groups.Add());
    const qint32 group = groups.Groups().first().nID;

    CUtentiViewCore users(project.Db(), "it", "it");
    users.OnCommand(ID_RECORD_INSERT);
    users.Form().strRagioneSociale = "Bianchi Srl";
    users.Form().strUserID = "bianchi";
    users.Form().strPassword = "segreta1";
    users.Form().nTipo = CUtentiViewCore::B2B;
    users.Form().nGruppo = group;
    ASSERT_TRUE(users.SaveNewRecord()) << boxes.LastText().toStdString();

    CPermessiViewCore rights(project.Db(), "it", "it");
    rights.SetSide(CPermessiViewCore::Groups);
    rights.Select(group);
    rights.ClickTreeNode(CPermessiViewCore::Categoria, 4);
    ASSERT_TRUE(rights.IsHidden(CPermessiViewCore::Categoria, 4));

    ASSERT_EQ(project.Upload(), CSiteUpload::Result::Done) << project.UploadLog().toStdString();
    EXPECT_EQ(shop.Value("SELECT IDUtente FROM Permessi WHERE IDGruppo=?", {group}).toInt(), -1);

    // The anonymous visitor is customer 0 in group 0: the group's row is
    // none of his.
    const QString anonymous = shop.Page("/default.asp");
    EXPECT_TRUE(anonymous.contains(">Sedie<")) << anonymous.toStdString();
    EXPECT_TRUE(anonymous.contains(">Tavoli<"));

    CHttpTestClient member(shop.Port());
    const CHttpTestReply login = member.Post("/accesso.asp", "application/x-www-form-urlencoded",
                                             "UserID=bianchi&Password=segreta1");
    ASSERT_EQ(login.status, 302) << login.body.toStdString();
    const QString page = QString::fromUtf8(member.Get("/default.asp").body);
    EXPECT_TRUE(page.contains(">Tavoli<")) << page.toStdString();
    EXPECT_FALSE(page.contains(">Sedie<")) << page.toStdString();
}

} // namespace
