// The product card's pages as widgets: each turns the merchant's clicks
// into calls on its core and shows what the core answers.

#include "desktop/catalogue/CProdottiColoriDlg.h"
#include "desktop/catalogue/CProdottiImmagineDlg.h"
#include "desktop/catalogue/CProdottiTaglieDlg.h"
#include "desktop/catalogue/tests/CatalogueFixture.h"
#include "desktop/shell/controls/CCellMatrix.h"
#include "desktop/shell/controls/CClickListCtrl.h"
#include "desktop/shell/controls/CValidatedEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QPushButton>
#include <QSlider>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

QPushButton* ButtonCalled(QWidget& page, const QString& caption)
{
    for (QPushButton* button : page.findChildren<QPushButton*>())
        if (button->text() == caption)
            return button;
    return nullptr;
}

TEST(ProductPagesWidgetTest, TheImagePagePreviewsFromItsSlidersAndApplies)
{
    QImage shown(1, 1, QImage::Format_RGB32);
    shown.fill(qRgb(100, 100, 100));
    QImage reference;
    bool changed = false;
    int redraws = 0;
    CProdottiImmagineDlg page(shown, reference, changed);
    page.SetRedraw([&] { ++redraws; });
    page.EnterPage();
    page.Luminosita()->setValue(150);
    ButtonCalled(page, QStringLiteral("Anteprima"))->click();
    EXPECT_EQ(qRed(shown.pixel(0, 0)), 150);
    EXPECT_GT(redraws, 0);
    ButtonCalled(page, QStringLiteral("Applica"))->click();
    EXPECT_EQ(page.Luminosita()->value(), 100);
    EXPECT_TRUE(changed);
    ButtonCalled(page, QStringLiteral("Flip orizzontale"))->click();
    page.LeavePage();
    EXPECT_EQ(qRed(shown.pixel(0, 0)), 150);
    EXPECT_FALSE(ButtonCalled(page, QStringLiteral("Acquisici da scanner"))->isEnabled());
}

TEST(ProductPagesWidgetTest, TheColoursPageShowsTheColourClicked)
{
    CatalogueFixture f;
    f.AddProduct(5, QStringLiteral("P5"));
    f.Db().Execute(QStringLiteral("INSERT INTO ProdottiColori (ID, IDProdotto, Codice, Descrizione, Attivo) "
                                  "VALUES (3, 5, 'ROS', 'Rosso', 1)"));
    const QString folder = f.Folder() + QStringLiteral("/website/images/prodotti/colori");
    QDir().mkpath(folder);
    QImage photo(30, 20, QImage::Format_RGB32);
    photo.fill(Qt::red);
    ASSERT_TRUE(photo.save(folder + QStringLiteral("/3.jpg")));

    CProdottiColoriDlg page(f.Db(), f.Folder(), {100, 40, 60});
    page.LoadColours(5);
    ASSERT_EQ(page.List()->count(), 1);
    EXPECT_EQ(page.List()->item(0)->text(), QStringLiteral("ROS"));
    EXPECT_FALSE(page.List()->item(0)->icon().isNull());
    EXPECT_FALSE(page.ModifyButton()->isEnabled());

    emit page.List()->UM_LIST_CLICK(0);
    QString code;
    page.Codice()->GetValue(code);
    EXPECT_EQ(code, QStringLiteral("ROS"));
    EXPECT_TRUE(page.Attivo()->isChecked());
    EXPECT_FALSE(page.AddButton()->isEnabled());
    EXPECT_TRUE(page.ModifyButton()->isEnabled());

    page.Codice()->SetValue(QStringLiteral("RX"));
    page.ModifyButton()->click();
    EXPECT_EQ(page.List()->item(0)->text(), QStringLiteral("RX"));
    EXPECT_TRUE(page.AddButton()->isEnabled());
}

TEST(ProductPagesWidgetTest, TheSizesPageWritesTheCardsWorkingCopy)
{
    CatalogueFixture f;
    f.Db().Execute(QStringLiteral("INSERT INTO ValoriTaglie (ID, Descrizione, Valori) VALUES (7, 'Camicie', 'S|M|L|')"));
    TaglieProdotto sizes;
    CProdottiTaglieDlg page(f.Db(), sizes);
    page.LoadSizes();
    EXPECT_FALSE(page.HasTable()->isChecked());
    EXPECT_FALSE(page.Tables()->isEnabled());

    page.HasTable()->click();
    EXPECT_TRUE(page.Tables()->isEnabled());
    emit page.Tables()->activated(0);
    EXPECT_EQ(sizes, (TaglieProdotto{7, 0, 2}));
    EXPECT_EQ(page.Matrix()->Core().Texts(), (QStringList{"S", "M", "L"}));

    bool dialogRun = false;
    page.m_runTablesDialog = [&] { dialogRun = true; };
    page.TablesButton()->click();
    EXPECT_TRUE(dialogRun);
    EXPECT_EQ(sizes.IDTabellaTaglie, 0);
    EXPECT_FALSE(page.HasTable()->isChecked());
}

} // namespace
