#include "desktop/catalogue/CProdottiCustomCore.h"
#include "desktop/catalogue/CProdottiFilesCore.h"
#include "desktop/shell/controls/CGridCore.h"
#include "desktop/shell/controls/CMessageBoxScript.h"
#include "exchange/CSiteUpload.h"
#include "exchange/QtrUpdDatiState.h"
#include "recordset/CConfigurazioneSet.h"
#include "recordset/CProdottiLingueSet.h"
#include "platform/testing/QtPrinters.h"
#include "tests/road/RoadCutProxy.h"
#include "tests/road/RoadProject.h"
#include "tests/road/RoadShop.h"
#include "tests/road/RoadTlsFront.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QRandomGenerator>
#include <QSqlQuery>
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

// Rows go several at a time. A row whose request is cut stops the run: no
// row is sent after it but those already in flight, every row the shop
// answered is cleared and on the shop, the others keep their marks, and
// the next run sends just those.
TEST_F(SiteUploadRoad, ARowCutAmongRowsInFlightStopsTheRunAndTheNextRunSendsTheRest)
{
    RoadCutProxy proxy(shop.Port());
    project.PointAt(proxy.Port(), "pa&ss=1");
    constexpr int kProducts = 40;
    for (qint32 id = 1; id <= kProducts; ++id)
        project.AddProduct(id, QStringLiteral("Prodotto %1").arg(id), id * 1.5);
    proxy.CutAt(RoadCutProxy::Kind::Row, 10, RoadCutProxy::Cut::HalfRequestThenReset);
    EXPECT_EQ(project.Upload(), CSiteUpload::Result::Failed);
    proxy.StopCutting();
    ASSERT_GE(proxy.Cuts(), 1);
    EXPECT_LE(proxy.Seen(RoadCutProxy::Kind::Row), 20) << "the run went on after the failure";
    const int left = project.Flagged("Prodotti");
    EXPECT_GE(left, 1);
    EXPECT_LT(left, kProducts);
    QSqlQuery rows(project.Db().Connection());
    ASSERT_TRUE(rows.exec("SELECT ID, Codice FROM Prodotti WHERE Modificato=0"));
    while (rows.next())
        EXPECT_EQ(shop.Value("SELECT Codice FROM Prodotti WHERE ID=?", {rows.value(0)}).toString(),
                  rows.value(1).toString())
            << "cleared on the desktop, so on the shop: " << rows.value(0).toInt();

    ASSERT_EQ(project.Upload(), CSiteUpload::Result::Done) << project.UploadLog().toStdString();
    EXPECT_EQ(project.Flagged("Prodotti"), 0);
    EXPECT_EQ(project.Flagged("ProdottiLingue"), 0);
    EXPECT_EQ(shop.Value("SELECT COUNT(*) FROM Prodotti").toInt(), kProducts);
    EXPECT_EQ(shop.Value("SELECT COUNT(*) FROM ProdottiLingue").toInt(), kProducts);
}

// A change of the general parameters sends the settings row; the site
// password and the proxy account stay on the desktop.
TEST_F(SiteUploadRoad, TheSettingsGoWithoutTheDesktopsOwnSecrets)
{
    RoadCutProxy watch(shop.Port());
    project.PointAt(watch.Port(), "pa&ss=1");
    project.EditSettings([](CConfigurazioneSet& configurazione) {
        configurazione.m_RagioneSociale = QStringLiteral("Lago Srl");
        configurazione.m_UserIDProxy = QStringLiteral("utente-proxy");
        configurazione.m_PasswordProxy = QStringLiteral("segreta-proxy");
    });
    ASSERT_EQ(project.Upload(), CSiteUpload::Result::Done) << project.UploadLog().toStdString();
    EXPECT_EQ(shop.Value("SELECT RagioneSociale FROM Configurazione").toString(), "Lago Srl");
    const QRegularExpression secret("(^|&)(Password|ServerProxy|PortaHttp|UserIDProxy|PasswordProxy)=");
    int settingsPosts = 0;
    for (const QByteArray& request : watch.Requests()) {
        const QString body = QString::fromUtf8(request.mid(request.indexOf("\r\n\r\n") + 4));
        if (body.contains("PF_TableName=Configurazione"))
            ++settingsPosts;
        EXPECT_FALSE(body.contains(secret)) << body.toStdString();
    }
    EXPECT_EQ(settingsPosts, 1);
    EXPECT_TRUE(shop.Value("SELECT PasswordProxy FROM Configurazione").isNull());
}

TEST_F(SiteUploadRoad, UploadsOverHttpsThroughATlsFront)
{
    RoadTlsFront front(shop.Port());
    project.PointAt(front.Port(), "pa&ss=1");
    project.EditSettings(
        [](CConfigurazioneSet& configurazione) { configurazione.m_URLSito = QStringLiteral("https://127.0.0.1"); });
    project.AddProduct(21, "Lampada", 45.5);
    ASSERT_EQ(project.Upload(), CSiteUpload::Result::Done) << project.UploadLog().toStdString();
    EXPECT_EQ(shop.Value("SELECT Prezzo FROM ProdottiLingue WHERE IDProdotto=21").toDouble(), 45.5);
    EXPECT_TRUE(QFile::exists(shop.ShopFile("images/prodotti/21.jpg")));
}

struct CutCase
{
    const char* name;
    RoadCutProxy::Kind kind;
    RoadCutProxy::Cut cut;
};

void PrintTo(const CutCase& c, std::ostream* os) { *os << c.name; }

// The shop reached through a proxy that cuts one request. Product 9 is on
// the shop and deleted on the desktop (three deletions to send); products
// 1 to 3 are new, each picture going in pieces (first, middle, last; the
// thumbnail first and last).
class SiteUploadCutRoad : public testing::TestWithParam<CutCase>
{
protected:
    static constexpr qint64 kPiece = 2048;

    void SetUp() override
    {
        shop.Start();
        proxy = std::make_unique<RoadCutProxy>(shop.Port());
        project.PointAt(proxy->Port(), "pa&ss=1");
        AddProductWithPictures(9);
        ASSERT_EQ(project.Upload(kPiece), CSiteUpload::Result::Done) << project.UploadLog().toStdString();
        project.DeleteProduct(9);
        for (qint32 id = 1; id <= 3; ++id)
            AddProductWithPictures(id);
    }

    void AddProductWithPictures(qint32 id)
    {
        project.AddProduct(id, QStringLiteral("Prodotto %1").arg(id), id * 10.5);
        WriteNoise(QStringLiteral("website/images/prodotti/%1.jpg").arg(id), 2 * kPiece + 904, id);
        WriteNoise(QStringLiteral("website/images/prodotti/th/%1.jpg").arg(id), kPiece + 952, id + 100);
    }

    void WriteNoise(const QString& relative, qsizetype size, quint32 seed)
    {
        QByteArray bytes(size, Qt::Uninitialized);
        QRandomGenerator random(seed);
        for (char& byte : bytes)
            byte = char(random.bounded(256));
        QFile file(project.Folder() + "/" + relative);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    static QByteArray Bytes(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
    }

    // Every desktop row of the table whose mark is cleared (all of them
    // when all is set) is on the shop once, with the desktop's values.
    void ExpectOnTheShop(const QString& table, const QStringList& columns, bool all)
    {
        QSqlQuery rows(project.Db().Connection());
        ASSERT_TRUE(rows.exec(QStringLiteral("SELECT ID, Modificato, %1 FROM %2").arg(columns.join(','), table)));
        while (rows.next()) {
            if (!all && rows.value(1).toInt() != 0)
                continue;
            const qint32 id = rows.value(0).toInt();
            SCOPED_TRACE((table + " " + QString::number(id)).toStdString());
            EXPECT_EQ(shop.Value(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE ID=?").arg(table), {id}).toInt(), 1);
            for (int c = 0; c < columns.size(); ++c)
                EXPECT_EQ(shop.Value(QStringLiteral("SELECT %1 FROM %2 WHERE ID=?").arg(columns[c], table), {id}).toString(),
                          rows.value(2 + c).toString())
                    << columns[c].toStdString();
        }
    }

    void ExpectRowsOnTheShop(bool all)
    {
        ExpectOnTheShop("Prodotti", {"Codice", "IVA"}, all);
        ExpectOnTheShop("ProdottiLingue", {"IDProdotto", "Nome", "Prezzo"}, all);
        ExpectOnTheShop("ProdottiColori", {"IDProdotto", "Codice"}, all);
    }

    // The pictures of every product whose picture mark is cleared are the
    // desktop's, byte for byte.
    void ExpectPicturesOnTheShop(bool all)
    {
        QSqlQuery rows(project.Db().Connection());
        ASSERT_TRUE(rows.exec("SELECT ID, ModificataFoto FROM Prodotti"));
        while (rows.next()) {
            if (!all && rows.value(1).toInt() != 0)
                continue;
            for (const QString& file : {QStringLiteral("%1.jpg"), QStringLiteral("th/%1.jpg")}) {
                const QString relative = "images/prodotti/" + file.arg(rows.value(0).toInt());
                SCOPED_TRACE(relative.toStdString());
                EXPECT_TRUE(Bytes(shop.ShopFile(relative)) == Bytes(project.Folder() + "/website/" + relative));
            }
        }
    }

    QStringList ShopPictures() const
    {
        QStringList files;
        const QString root = shop.ShopFile("images/prodotti");
        QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
        while (it.hasNext())
            files << QDir(root).relativeFilePath(it.next());
        files.sort();
        return files;
    }

    RoadShop shop;
    RoadProject project;
    std::unique_ptr<RoadCutProxy> proxy;
};

using Kind = RoadCutProxy::Kind;
using Cut = RoadCutProxy::Cut;

TEST_P(SiteUploadCutRoad, AnUploadCutAtAnyRequestFinishesWhenRunAgain)
{
    proxy->CutAt(GetParam().kind, 2, GetParam().cut);
    const CSiteUpload::Result cutRun = project.Upload(kPiece);
    proxy->StopCutting();
    ASSERT_GE(proxy->Cuts(), 1) << "the run met its cut";
    // A lost reply whose request the client sends again on its own is not
    // seen by the run; every other cut fails it.
    if (GetParam().cut != Cut::DropReplyOnce)
        EXPECT_EQ(cutRun, CSiteUpload::Result::Failed) << project.UploadLog().toStdString();
    // What the cut run cleared, the shop holds.
    ExpectRowsOnTheShop(false);
    ExpectPicturesOnTheShop(false);

    // A run that finished (the resend went through) leaves nothing to do.
    const CSiteUpload::Result rerun = project.Upload(kPiece);
    ASSERT_TRUE(rerun == CSiteUpload::Result::Done
                || (cutRun == CSiteUpload::Result::Done && rerun == CSiteUpload::Result::NotRun))
        << project.UploadLog().toStdString();
    ExpectRowsOnTheShop(true);
    ExpectPicturesOnTheShop(true);
    EXPECT_EQ(shop.Value("SELECT COUNT(*) FROM Prodotti").toInt(), 3);
    EXPECT_EQ(shop.Value("SELECT COUNT(*) FROM ProdottiLingue").toInt(), 3);
    EXPECT_EQ(shop.Value("SELECT COUNT(*) FROM ProdottiColori").toInt(), 3);
    EXPECT_EQ(ShopPictures(), (QStringList{"1.jpg", "2.jpg", "3.jpg", "th/1.jpg", "th/2.jpg", "th/3.jpg"}))
        << "nothing of product 9, no piece left over";
    for (const char* table : {"Prodotti", "ProdottiLingue", "ProdottiColori"})
        EXPECT_EQ(project.Flagged(table), 0) << table;
    QSqlQuery log(project.Db().Connection());
    ASSERT_TRUE(log.exec("SELECT COUNT(*) FROM RecordsEliminati") && log.next());
    EXPECT_EQ(log.value(0).toInt(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    EveryKindOfRequest, SiteUploadCutRoad,
    testing::Values(CutCase{"Deletion_DropRequest", Kind::Deletion, Cut::DropRequest},
                    CutCase{"Deletion_DropReply", Kind::Deletion, Cut::DropReply},
                    CutCase{"Deletion_HalfRequestThenReset", Kind::Deletion, Cut::HalfRequestThenReset},
                    CutCase{"Row_DropRequest", Kind::Row, Cut::DropRequest},
                    CutCase{"Row_DropReply", Kind::Row, Cut::DropReply},
                    CutCase{"Row_HalfRequestThenReset", Kind::Row, Cut::HalfRequestThenReset},
                    CutCase{"FirstPiece_DropRequest", Kind::FirstPiece, Cut::DropRequest},
                    CutCase{"FirstPiece_DropReply", Kind::FirstPiece, Cut::DropReply},
                    CutCase{"FirstPiece_HalfRequestThenReset", Kind::FirstPiece, Cut::HalfRequestThenReset},
                    CutCase{"MiddlePiece_DropRequest", Kind::MiddlePiece, Cut::DropRequest},
                    CutCase{"MiddlePiece_DropReply", Kind::MiddlePiece, Cut::DropReply},
                    CutCase{"MiddlePiece_HalfRequestThenReset", Kind::MiddlePiece, Cut::HalfRequestThenReset},
                    CutCase{"LastPiece_DropRequest", Kind::LastPiece, Cut::DropRequest},
                    CutCase{"LastPiece_DropReply", Kind::LastPiece, Cut::DropReply},
                    CutCase{"LastPiece_HalfRequestThenReset", Kind::LastPiece, Cut::HalfRequestThenReset},
                    // The shop gets the request twice in a row.
                    CutCase{"Deletion_DropReplyOnce", Kind::Deletion, Cut::DropReplyOnce},
                    CutCase{"Row_DropReplyOnce", Kind::Row, Cut::DropReplyOnce},
                    CutCase{"FirstPiece_DropReplyOnce", Kind::FirstPiece, Cut::DropReplyOnce},
                    CutCase{"MiddlePiece_DropReplyOnce", Kind::MiddlePiece, Cut::DropReplyOnce},
                    CutCase{"LastPiece_DropReplyOnce", Kind::LastPiece, Cut::DropReplyOnce}),
    [](const testing::TestParamInfo<CutCase>& info) { return std::string(info.param.name); });

} // namespace
