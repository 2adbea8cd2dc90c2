// The customers view's widget forwards to its core: what is typed is saved
// when the merchant moves on, a generated password is shown once and
// stored hashed, and the fifth tab follows the row shown.

#include "desktop/customers/CUtentiView.h"
#include "desktop/customers/tests/CustomersFixture.h"
#include "desktop/shell/app/TindaCommandIds.h"
#include "desktop/shell/controls/CMessageBoxScript.h"
#include "desktop/shell/controls/CValidatedEdit.h"
#include "platform/password/CPasswordHash.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include <gtest/gtest.h>

namespace {

TEST(CUtentiViewTest, WhatIsTypedIsSavedOnMovingAndAGeneratedPasswordIsShownOnce)
{
    CustomersFixture shop;
    shop.AddCustomer(1, "Alfa", "Alfieri", "Ada", 3);
    shop.AddCustomer(2, "Beta", "Bassi", "Bruno", 2, {{"UserID", "bbassi"}});
    CMessageBoxScript boxes;
    CUtentiView view(shop.Db(), "it", "it");
    ASSERT_EQ(view.Core().CurrentID(), 1);
    EXPECT_EQ(view.Tabs()->count(), 5);
    EXPECT_EQ(view.Tabs()->tabText(4), QStringLiteral("  Clienti  "));

    view.Edit("Indirizzo")->setText("Via Po 3");
    view.GenerateButton()->click();
    ASSERT_EQ(boxes.Shown().size(), 1);
    const QString shown = boxes.LastText();
    const QString password = view.PasswordEdit()->text();
    EXPECT_TRUE(shown.contains(password));
    view.OnViewCommand(ID_RECORD_NEXT);
    EXPECT_EQ(view.Core().CurrentID(), 2);
    EXPECT_EQ(shop.Value("SELECT Indirizzo FROM Clienti WHERE ID=1").toString(), "Via Po 3");
    EXPECT_TRUE(CPasswordHash::Verify(shop.Value("SELECT Password FROM Clienti WHERE ID=1").toString(), password));
    // A mailing-only user has no fifth tab, and no stored password is shown.
    EXPECT_EQ(view.Tabs()->count(), 4);
    EXPECT_TRUE(view.PasswordEdit()->text().isEmpty());
    view.OnViewCommand(ID_RECORD_PREV);
    EXPECT_TRUE(view.PasswordEdit()->text().isEmpty());
    EXPECT_EQ(boxes.Shown().size(), 1);
}

} // namespace
