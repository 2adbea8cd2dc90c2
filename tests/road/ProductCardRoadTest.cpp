// The road from the product card to the shop: a product made through the
// card's rules (price, picture, a colour with its picture, a run of sizes
// of a size table, a custom field, an attachment) is sent by the site
// upload to qtr50d, and the shop's product page shows every one of them.

#include "desktop/catalogue/CProdottiColoriCore.h"
#include "desktop/catalogue/CProdottiCustomCore.h"
#include "desktop/catalogue/CProdottiFilesCore.h"
#include "desktop/catalogue/CProdottiTaglieCore.h"
#include "desktop/catalogue/CProdottiViewCore.h"
#include "desktop/catalogue/CTabelleTaglieCore.h"
#include "desktop/shell/app/TindaCommandIds.h"
#include "desktop/shell/controls/CGridCore.h"
#include "desktop/shell/controls/CMessageBoxScript.h"
#include "platform/testing/QtPrinters.h"
#include "recordset/CCategorieLinSet.h"
#include "tests/road/RoadProject.h"
#include "tests/road/RoadShop.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QRegularExpression>

namespace {

class ProductCardRoad : public ::testing::Test
{
protected:
    void SetUp() override
    {
        shop.Start();
        project.PointAt(shop.Port(), "pa&ss=1");
    }

    // The size table "Adulto" with S, M, L and XL, made in its dialog.
    void MakeSizeTable()
    {
        CTabelleTaglieCore tables(project.Db());
        ASSERT_EQ(tables.InsertTable("Adulto"), CTabelleTaglieCore::NoField);
        for (const char* size : {"S", "M", "L", "XL"})
            ASSERT_EQ(tables.InsertSize(size), CTabelleTaglieCore::NoField);
        ASSERT_EQ(tables.Close("Adulto"), CTabelleTaglieCore::NoField);
    }

    RoadShop shop;
    RoadProject project;
    CMessageBoxScript m_boxes;
};

TEST_F(ProductCardRoad, EverythingTheCardGivesAProductShowsOnTheShopsProductPage)
{
    MakeSizeTable();
    project.AddCategory(4, "Sedie");
    project.Db().Execute("INSERT INTO DefinizioneCampiCustom (ID, IDCategoria, Nome, Tipo, Lunghezza, Decimali) "
                         "VALUES (1, 0, 'Materiale', 0, 30, 0)");

    // A new product with its price and picture.
    CProdottiViewCore card(project.Db(), project.Folder());
    card.SetLanguages("it", "it");
    card.Start();
    card.OnCommand(ID_RECORD_INSERT);
    const qint32 id = card.ReservedID();
    card.Form().codice = "SD001";
    card.Form().nome = "Sedia Vienna";
    card.Form().descrizioneBreve = "Faggio curvato a vapore";
    card.Form().iva = 22.0;
    card.Form().prezzi[0] = 89.9;
    card.ClickCategory(4);
    QString error;
    ASSERT_TRUE(card.Foto().Load(project.Picked("sedia.bmp"), &error)) << error.toStdString();
    card.OnCommand(ID_RECORD_SAVE);
    ASSERT_FALSE(card.IsInserting()) << m_boxes.LastText().toStdString();
    ASSERT_EQ(card.CurrentID(), id);

    // M to L of the size table, on the sizes page.
    ASSERT_TRUE(card.SelectTab(CProdottiViewCore::TabTaglie));
    CProdottiTaglieCore sizes(project.Db(), card.Taglie());
    sizes.LoadSizes();
    ASSERT_EQ(sizes.Entries().size(), 1);
    sizes.SelectTable(0);
    sizes.SelectionChanged(1, 2);

    // A custom field's value; moving to its tab saves the sizes.
    CGridCore grid;
    CProdottiCustomCore custom(project.Db(), grid);
    ASSERT_TRUE(card.SelectTab(CProdottiViewCore::TabCustom)) << m_boxes.LastText().toStdString();
    custom.InitGrid();
    custom.SetCategories(card.CustomCategories());
    custom.SetCampiCustom(card.CampiCustom());
    custom.LoadCustomValues();
    card.m_customText = [&] { return custom.GetCustomValuesText(); };
    grid.SetCellText(1, CProdottiCustomCore::ColValore, "faggio curvato");
    ASSERT_TRUE(card.SelectTab(CProdottiViewCore::TabColori)) << "leaving the page saves";
    ASSERT_FALSE(card.IsRecordModified());

    // A colour with its photo, and an attachment.
    CProdottiColoriCore colours(project.Db(), project.Folder(), CProdottiColoriCore::ReadWidths(project.Db()));
    colours.LoadColours(id);
    ASSERT_FALSE(colours.SetPicture(CProdottiColoriCore::Foto, project.Picked("noce.bmp")).IsRefused());
    ASSERT_FALSE(colours.Add({"NOCE", "Noce", true}).IsRefused());
    const qint32 colour = colours.Items().last().nId;
    ASSERT_TRUE(card.SelectTab(CProdottiViewCore::TabFiles));
    CProdottiFilesCore files(project.Folder());
    files.SetFolder(card.FilesFolder());
    files.m_chooseFile = [&] { return project.Picked("Montaggio.PDF", "%PDF-1.4 montaggio"); };
    files.FillFileList(id);
    files.SetCode("mont");
    ASSERT_TRUE(files.Add());

    ASSERT_EQ(project.Upload(), CSiteUpload::Result::Done) << project.UploadLog().toStdString();

    const QString path = QStringLiteral("/prodotto.asp?IDProdotto=%1").arg(id);
    const QString page = shop.Page(path);
    EXPECT_TRUE(page.contains("<h1 id=\"nome-prodotto\">Sedia Vienna</h1>")) << page.toStdString();
    EXPECT_TRUE(page.contains(QRegularExpression("class=\"briciole\".*>Sedie</a>"))) << "the category ticked on the card";
    EXPECT_TRUE(page.contains(QRegularExpression("id=\"prezzo-prodotto\">[^\\n]*89[.,]90"))) << page.toStdString();
    const QString photo = QStringLiteral("/images/prodotti/%1.jpg").arg(id);
    EXPECT_TRUE(page.contains(photo)) << page.toStdString();
    EXPECT_EQ(shop.Status(photo), 200);

    const QString thumbnail = QStringLiteral("/images/prodotti/colori/th/%1.jpg").arg(colour);
    EXPECT_TRUE(page.contains(thumbnail)) << page.toStdString();
    EXPECT_TRUE(page.contains("<span>Noce</span>")) << page.toStdString();
    EXPECT_EQ(shop.Status(thumbnail), 200);
    const QString colourPhoto = QStringLiteral("/images/prodotti/colori/%1.jpg").arg(colour);
    EXPECT_TRUE(shop.Page(path + QStringLiteral("&IDColore=%1").arg(colour)).contains(colourPhoto))
        << "the colour chosen shows its own photo";
    EXPECT_EQ(shop.Status(colourPhoto), 200);

    EXPECT_TRUE(page.contains("<option value=\"M\">M</option>")) << page.toStdString();
    EXPECT_TRUE(page.contains("<option value=\"L\">L</option>")) << page.toStdString();
    EXPECT_FALSE(page.contains("<option value=\"S\">")) << "outside the range on sale";
    EXPECT_FALSE(page.contains("<option value=\"XL\">")) << "outside the range on sale";

    EXPECT_TRUE(page.contains("<dt>Materiale</dt><dd>faggio curvato</dd>")) << page.toStdString();

    const QString attachment = QStringLiteral("/images/prodotti/files/p%1_mont.pdf").arg(id);
    EXPECT_EQ(shop.Status(attachment), 200);
    EXPECT_EQ(shop.Page(attachment), "%PDF-1.4 montaggio");

    // The shop keeps the category tree and its texts between pages; a
    // rename on the desktop shows on the first page after the upload.
    {
        CCategorieLinSet lingua(&project.Db());
        lingua.m_strFilter = "IDCategoria=?";
        lingua.m_filterParams = {4};
        lingua.Open();
        lingua.Edit();
        lingua.m_Nome = "Poltrone";
        lingua.m_Modificato = true;
        lingua.Update();
    }
    ASSERT_EQ(project.Upload(), CSiteUpload::Result::Done) << project.UploadLog().toStdString();
    const QString renamed = shop.Page(path);
    EXPECT_TRUE(renamed.contains(QRegularExpression("class=\"briciole\".*>Poltrone</a>"))) << renamed.toStdString();
}

} // namespace
