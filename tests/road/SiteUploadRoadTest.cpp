#include "desktop/catalogue/CProdottiCustomCore.h"
#include "desktop/catalogue/CProdottiFilesCore.h"
#include "desktop/shell/controls/CGridCore.h"
#include "desktop/shell/controls/CMessageBoxScript.h"
#include "exchange/CSiteUpload.h"
#include "exchange/QtrUpdDatiState.h"
#include "recordset/CConfigurazioneSet.h"
#include "recordset/CProdottiLingueSet.h"
#include "platform/testing/QtPrinters.h"
#include "tests/road/RoadProject.h"
#include "tests/road/RoadShop.h"
#include "tests/road/RoadTlsFront.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTimer>

namespace {

// The list price as the new shop shows it (VAT not added by its settings).
const QRegularExpression kPrezzo("19[.,]99");

class SiteUploadRoad : public testing::Test
{
protected:
    void SetUp() override
    {
        shop.Start();
        project.PointAt(shop.Port(), "pa&ss=1");
    }

    RoadShop shop;
    RoadProject project;
};

TEST_F(SiteUploadRoad, AProductSavedOnTheDesktopReachesTheShopAndLeavesWithItsPicture)
{
    project.AddProduct(7, "Sedia <Rossa> & blu", 19.99);
    ASSERT_EQ(project.Upload(), CSiteUpload::Result::Done) << project.UploadLog().toStdString();

    EXPECT_EQ(shop.Value("SELECT Codice FROM Prodotti WHERE ID=7").toString(), "P7");
    EXPECT_EQ(shop.Value("SELECT Prezzo FROM ProdottiLingue WHERE IDProdotto=7").toDouble(), 19.99);
    EXPECT_EQ(shop.Value("SELECT Codice FROM ProdottiColori WHERE IDProdotto=7").toString(), "ROSSO");
    EXPECT_EQ(shop.Value("SELECT Modificato FROM Prodotti WHERE ID=7").toInt(), 0);
    EXPECT_TRUE(QFile::exists(shop.ShopFile("images/prodotti/7.jpg")));
    EXPECT_TRUE(QFile::exists(shop.ShopFile("images/prodotti/th/7.jpg")));
    EXPECT_EQ(project.Flagged("Prodotti"), 0);
    EXPECT_EQ(project.Flagged("ProdottiLingue"), 0);
    EXPECT_TRUE(project.UploadLog().endsWith(" Aggiornamento effettuato con successo.\n"));

    // The shop's product page shows it, with its price and its picture.
    const QString page = shop.Page("/prodotto.asp?IDProdotto=7");
    EXPECT_TRUE(page.contains("Sedia &lt;Rossa&gt; &amp; blu")) << page.toStdString();
    EXPECT_TRUE(page.contains("/images/prodotti/7.jpg")) << page.toStdString();
    EXPECT_TRUE(page.contains(kPrezzo)) << page.toStdString();

    // Nothing left: the next run says so and posts nothing.
    EXPECT_EQ(project.Upload(), CSiteUpload::Result::NotRun);

    project.DeleteProduct(7);
    ASSERT_EQ(project.Upload(), CSiteUpload::Result::Done) << project.UploadLog().toStdString();
    EXPECT_FALSE(shop.Value("SELECT ID FROM Prodotti WHERE ID=7").isValid());
    EXPECT_FALSE(shop.Value("SELECT ID FROM ProdottiLingue WHERE IDProdotto=7").isValid());
    EXPECT_FALSE(QFile::exists(shop.ShopFile("images/prodotti/7.jpg")));
    EXPECT_FALSE(QFile::exists(shop.ShopFile("images/prodotti/th/7.jpg")));
    EXPECT_FALSE(shop.Page("/prodotto.asp?IDProdotto=7").contains("Sedia"));
}

// The product card's custom and files pages write what the shop reads: the
// CampiCustom pairs its product page lists, and the attachment under the
// name its file check looks for; a deleted attachment leaves the shop too.
TEST_F(SiteUploadRoad, CustomFieldsAndAttachmentsFromTheProductCardReachTheShop)
{
    CMessageBoxScript boxes;
    project.AddProduct(7, "Sedia", 19.99);
    project.Db().Execute("INSERT INTO DefinizioneCampiCustom (ID, IDCategoria, Nome, Tipo, Lunghezza, Decimali) "
                         "VALUES (1, 0, 'Materiale', 0, 30, 0), (2, 0, 'Garanzia', 1, 2, 0)");
    CGridCore grid;
    CProdottiCustomCore custom(project.Db(), grid);
    custom.InitGrid();
    custom.LoadCustomValues();
    grid.SetCellText(1, 1, "faggio & noce");
    ASSERT_TRUE(custom.ValidateCustomValues());
    {
        CProdottiLingueSet lingua(&project.Db());
        lingua.m_strFilter = "IDProdotto=?";
        lingua.m_filterParams = {7};
        lingua.Open();
        lingua.Edit();
        lingua.m_CampiCustom = custom.GetCustomValuesText();
        lingua.m_Modificato = true;
        lingua.Update();
    }
    TempFolder outside;
    QFile manual(outside.FilePath("Manuale.PDF"));
    ASSERT_TRUE(manual.open(QIODevice::WriteOnly));
    manual.write("%PDF-1.4 manuale");
    manual.close();
    CProdottiFilesCore files(project.Folder());
    files.SetFolder(project.Folder() + "/website/images/prodotti/files");
    files.m_chooseFile = [&] { return manual.fileName(); };
    files.FillFileList(7);
    files.SetCode("man1");
    ASSERT_TRUE(files.Add());

    ASSERT_EQ(project.Upload(), CSiteUpload::Result::Done) << project.UploadLog().toStdString();
    EXPECT_EQ(shop.Value("SELECT CampiCustom FROM ProdottiLingue WHERE IDProdotto=7").toString(),
              "Materiale|faggio & noce|Garanzia||");
    EXPECT_TRUE(QFile::exists(shop.ShopFile("images/prodotti/files/p7_man1.pdf")));
    EXPECT_TRUE(QFile::exists(project.Folder() + "/website/images/prodotti/files/p7_man1.pdf")) << "published";
    const QString page = shop.Page("/prodotto.asp?IDProdotto=7");
    EXPECT_TRUE(page.contains("<dt>Materiale</dt><dd>faggio &amp; noce</dd>")) << page.toStdString();
    EXPECT_FALSE(page.contains("<dt>Garanzia</dt>")) << "an empty field is not shown";

    files.FillFileList(7);
    EXPECT_EQ(files.Codes(), QStringList{"MAN1"});
    files.Select(0);
    ASSERT_TRUE(files.Delete());
    ASSERT_EQ(project.Upload(), CSiteUpload::Result::Done) << project.UploadLog().toStdString();
    EXPECT_FALSE(QFile::exists(shop.ShopFile("images/prodotti/files/p7_man1.pdf")));
    EXPECT_TRUE(QDir(project.Folder() + "/website/images/prodotti/files").entryList(QDir::Files).isEmpty())
        << "the deletion flag went with the upload";
}

TEST_F(SiteUploadRoad, AWrongPasswordStopsTheRunWithTheShopsTextAndChangesNothing)
{
    project.PointAt(shop.Port(), "sbagliata");
    project.AddProduct(8, "Tavolo", 120);
    EXPECT_EQ(project.Upload(), CSiteUpload::Result::Failed);
    EXPECT_FALSE(shop.Value("SELECT ID FROM Prodotti WHERE ID=8").isValid());
    EXPECT_EQ(project.Flagged("Prodotti"), 1);
    EXPECT_TRUE(project.UploadLog().contains("ERRORE:\n\nPassword errata!")) << project.UploadLog().toStdString();
}

TEST_F(SiteUploadRoad, AnUploadCutAtAnyRequestFinishesWhenRunAgain)
{
    for (qint32 id = 1; id <= 5; ++id)
        project.AddProduct(id, QStringLiteral("Prodotto %1").arg(id), id * 10.5);
    // The shop goes away after a few requests; the marks of what it did
    // not confirm stay, and the next run sends the rest.
    int cutRuns = 0;
    for (int cut : {3, 9, 14}) {
        SCOPED_TRACE(cut);
        int requests = 0;
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (++requests == cut)
                shop.Stop();
        });
        watch.start(1);
        if (project.Upload() != CSiteUpload::Result::Done)
            ++cutRuns;
        watch.stop();
        shop.Start();
    }
    ASSERT_EQ(project.Upload(), CSiteUpload::Result::Done) << project.UploadLog().toStdString();
    EXPECT_EQ(shop.Value("SELECT COUNT(*) FROM Prodotti").toInt(), 5);
    EXPECT_EQ(shop.Value("SELECT COUNT(*) FROM ProdottiLingue").toInt(), 5);
    EXPECT_EQ(shop.Value("SELECT SUM(Prezzo) FROM ProdottiLingue").toDouble(), 157.5);
    for (qint32 id = 1; id <= 5; ++id)
        EXPECT_TRUE(QFile::exists(shop.ShopFile(QStringLiteral("images/prodotti/%1.jpg").arg(id))));
    EXPECT_EQ(project.Flagged("Prodotti"), 0);
    EXPECT_EQ(project.Flagged("ProdottiColori"), 0);
}

TEST_F(SiteUploadRoad, UploadsOverHttpsThroughATlsFront)
{
    RoadTlsFront front(shop.Port());
    project.PointAt(front.Port(), "pa&ss=1");
    {
        CConfigurazioneSet configurazione(&project.Db());
        configurazione.Open();
        configurazione.Edit();
        configurazione.m_URLSito = QStringLiteral("https://127.0.0.1");
        configurazione.Update();
    }
    project.AddProduct(21, "Lampada", 45.5);
    ASSERT_EQ(project.Upload(), CSiteUpload::Result::Done) << project.UploadLog().toStdString();
    EXPECT_EQ(shop.Value("SELECT Prezzo FROM ProdottiLingue WHERE IDProdotto=21").toDouble(), 45.5);
    EXPECT_TRUE(QFile::exists(shop.ShopFile("images/prodotti/21.jpg")));
}

} // namespace
