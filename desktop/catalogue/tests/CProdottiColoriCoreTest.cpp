// The colours page against a project on disk: colours added with their
// pictures where the shop looks for them, refused without what they need,
// pictures replaced only once the new ones are written, rows flagged for
// the upload, and deleted with their files.

#include "desktop/catalogue/CProdottiColoriCore.h"
#include "desktop/catalogue/tests/CatalogueFixture.h"
#include "desktop/shell/controls/CMessageBoxScript.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

const CProdottiColoriCore::Widths kWidths{120, 40, 60};

class ColoursPage : public ::testing::Test
{
protected:
    ColoursPage() : core(f.Db(), f.Folder(), kWidths)
    {
        f.AddProduct(5, QStringLiteral("P5"));
        f.AddProduct(6, QStringLiteral("P6"));
        f.ClearModified();
        core.LoadColours(5);
    }

    // A picture file of the given size and colour, for the file dialog.
    QString PictureFile(const QString& name, QSize size, QRgb colour)
    {
        const QString file = f.Folder() + QStringLiteral("/") + name;
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        EXPECT_TRUE(image.save(file));
        return file;
    }

    QString Site(const QString& relative) const
    {
        return f.Folder() + QStringLiteral("/website/images/prodotti/colori/") + relative;
    }

    QSize SizeOf(const QString& relative) const { return QImage(Site(relative)).size(); }

    QRgb CentreOf(const QString& relative) const
    {
        const QImage image(Site(relative));
        return image.pixel(image.width() / 2, image.height() / 2);
    }

    // A colour with a photo, added through the page.
    qint32 AddWithPhoto(const QString& code, QRgb colour)
    {
        EXPECT_FALSE(core.SetPicture(CProdottiColoriCore::Foto, PictureFile(code + ".bmp", {240, 160}, colour))
                         .IsRefused());
        EXPECT_FALSE(core.Add({code, QStringLiteral("Descrizione ") + code, true}).IsRefused());
        return core.Items().last().nId;
    }

    int Count(const QString& sql) { return f.Scalar(sql).toInt(); }

    // As after an upload that sent the rows and their pictures.
    void Published()
    {
        f.ClearModified();
        f.Db().Execute(QStringLiteral("UPDATE ProdottiColori SET Modificato=0, ModificataFoto=0"));
    }

    CatalogueFixture f;
    CProdottiColoriCore core;
};

TEST_F(ColoursPage, ANewColourGetsItsPicturesWhereTheShopLooksAndIsFlagged)
{
    ASSERT_FALSE(core.SetPicture(CProdottiColoriCore::Foto, PictureFile("rosso.bmp", {240, 160}, qRgb(220, 0, 0)))
                     .IsRefused());
    ASSERT_FALSE(core.SetPicture(CProdottiColoriCore::Dettaglio, PictureFile("trama.bmp", {90, 90}, qRgb(0, 0, 220)))
                     .IsRefused());
    ASSERT_FALSE(core.Add({QStringLiteral("  ROS  "), QStringLiteral("Rosso"), true}).IsRefused());

    ASSERT_EQ(core.Items().size(), 1);
    const qint32 id = core.Items().first().nId;
    EXPECT_EQ(core.Items().first().strCodice, QStringLiteral("ROS"));
    const QString name = QString::number(id) + QStringLiteral(".jpg");
    EXPECT_EQ(SizeOf(name), QSize(120, 80));              // DimFoto, 160 * 120 / 240
    EXPECT_EQ(SizeOf("th/" + name), QSize(40, 26));       // DimThumbnail
    EXPECT_EQ(SizeOf("dettagli/" + name), QSize(60, 60)); // DimColori
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM ProdottiColori WHERE ID=? AND IDProdotto=5 AND Codice='ROS' "
                                   "AND Descrizione='Rosso' AND Attivo=1 AND ModificataFoto=1 AND Modificato=1 "
                                   "AND VersioneRecord>0")
                        .replace(QStringLiteral("?"), QString::number(id))),
              1);
    // What was chosen goes with the save.
    EXPECT_TRUE(core.Chosen(CProdottiColoriCore::Foto).isNull());
}

struct RefusalCase
{
    const char* name;
    const char* code;
    bool withPicture;
    const char* text;
    int control;
};

void PrintTo(const RefusalCase& c, std::ostream* os)
{
    *os << c.name;
}

class ColoursRefusal : public ColoursPage, public ::testing::WithParamInterface<RefusalCase>
{
};

TEST_P(ColoursRefusal, NothingIsWritten)
{
    const RefusalCase& c = GetParam();
    if (c.withPicture)
        core.SetPicture(CProdottiColoriCore::Dettaglio, PictureFile("d.bmp", {10, 10}, qRgb(1, 2, 3)));
    const CProdottiColoriCore::Refusal refusal = core.Add({QString::fromUtf8(c.code), QString(), true});
    EXPECT_EQ(refusal.strText, QString::fromUtf8(c.text));
    EXPECT_EQ(refusal.nControl, c.control);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM ProdottiColori")), 0);
    EXPECT_FALSE(QFileInfo::exists(Site(QString())));
    // The picture chosen stays for the next try.
    EXPECT_EQ(!core.Chosen(CProdottiColoriCore::Dettaglio).isNull(), c.withPicture);
}

INSTANTIATE_TEST_SUITE_P(
    Add, ColoursRefusal,
    ::testing::Values(RefusalCase{"NoCode", "", true, "Campo obbligatorio!", 1003},
                      RefusalCase{"BlankCode", "   ", true, "Campo obbligatorio!", 1003},
                      RefusalCase{"NoPicture", "BLU", false,
                                  "E' necessario selezionare almeno una immagine (foto o dettaglio).", 0}),
    [](const ::testing::TestParamInfo<RefusalCase>& info) { return std::string(info.param.name); });

TEST_F(ColoursPage, ThumbnailsShowTheDetailFirstWithABadgePerPicture)
{
    const qint32 both = AddWithPhoto(QStringLiteral("A"), qRgb(220, 0, 0));
    core.Select(both);
    core.SetPicture(CProdottiColoriCore::Dettaglio, PictureFile("blu.bmp", {80, 80}, qRgb(0, 0, 220)));
    ASSERT_FALSE(core.Modify({QStringLiteral("A"), QString(), true}).IsRefused());
    core.SetPicture(CProdottiColoriCore::Dettaglio, PictureFile("verde.bmp", {80, 80}, qRgb(0, 200, 0)));
    ASSERT_FALSE(core.Add({QStringLiteral("B"), QString(), true}).IsRefused());
    const qint32 detailOnly = core.Items().last().nId;

    const QImage withBoth = core.Thumbnail(both);
    const QImage onlyDetail = core.Thumbnail(detailOnly);
    ASSERT_EQ(withBoth.size(), QSize(80, 80));
    EXPECT_GT(qBlue(withBoth.pixel(40, 30)), 150);   // the detail, not the red photo
    EXPECT_LT(qRed(withBoth.pixel(40, 30)), 80);
    // Badges sit along the bottom: photo at x 0, detail beside it at 12;
    // with no photo the detail's badge takes x 0.
    EXPECT_NE(withBoth.pixel(4, 75), withBoth.pixel(16, 75));
    EXPECT_EQ(onlyDetail.pixel(4, 75), withBoth.pixel(16, 75));
}

TEST_F(ColoursPage, AChosenPictureReplacesTheOldOneAndFlagsTheRow)
{
    const qint32 id = AddWithPhoto(QStringLiteral("R"), qRgb(220, 0, 0));
    Published();
    core.Select(id);
    core.SetPicture(CProdottiColoriCore::Foto, PictureFile("nuova.bmp", {240, 160}, qRgb(0, 200, 0)));
    ASSERT_FALSE(core.Modify({QStringLiteral("R"), QString(), true}).IsRefused());
    const QString name = QString::number(id) + QStringLiteral(".jpg");
    EXPECT_GT(qGreen(CentreOf(name)), 150);
    EXPECT_GT(qGreen(CentreOf("th/" + name)), 150);
    EXPECT_EQ(Count(QStringLiteral("SELECT ModificataFoto + Modificato FROM ProdottiColori")), 2);
}

TEST_F(ColoursPage, EditingTheTextsAloneLeavesThePicturesUnflagged)
{
    const qint32 id = AddWithPhoto(QStringLiteral("R"), qRgb(220, 0, 0));
    Published();
    core.Select(id);
    ASSERT_FALSE(core.Modify({QStringLiteral("RX"), QStringLiteral("Rosso scuro"), false}).IsRefused());
    EXPECT_EQ(f.Scalar(QStringLiteral("SELECT Codice FROM ProdottiColori")).toString(), QStringLiteral("RX"));
    EXPECT_EQ(Count(QStringLiteral("SELECT Modificato FROM ProdottiColori")), 1);
    EXPECT_EQ(Count(QStringLiteral("SELECT ModificataFoto FROM ProdottiColori")), 0);
    EXPECT_EQ(core.Items().first().strCodice, QStringLiteral("RX"));
}

TEST_F(ColoursPage, APictureThatCannotBeWrittenKeepsTheOldOneAndTheRow)
{
    const qint32 id = AddWithPhoto(QStringLiteral("R"), qRgb(220, 0, 0));
    Published();
    // The thumbnail's folder is taken by a file: the new photo and its
    // thumbnail cannot both be written, so neither is.
    const QString name = QString::number(id) + QStringLiteral(".jpg");
    ASSERT_TRUE(QDir(Site("th")).removeRecursively());
    QFile blocker(Site("th"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    core.Select(id);
    core.SetPicture(CProdottiColoriCore::Foto, PictureFile("nuova.bmp", {240, 160}, qRgb(0, 200, 0)));
    const CProdottiColoriCore::Refusal refusal = core.Modify({QStringLiteral("NUOVO"), QString(), true});
    EXPECT_TRUE(refusal.IsRefused());
    EXPECT_GT(qRed(CentreOf(name)), 150);
    EXPECT_EQ(f.Scalar(QStringLiteral("SELECT Codice FROM ProdottiColori")).toString(), QStringLiteral("R"));
    EXPECT_EQ(Count(QStringLiteral("SELECT Modificato + ModificataFoto FROM ProdottiColori")), 0);
    EXPECT_EQ(QDir(Site(QString())).entryList(QDir::Files),
              (QStringList{name, QStringLiteral("th")}));   // no half-written file left beside
}

TEST_F(ColoursPage, ACancelledChoiceKeepsThePictureChosenBefore)
{
    core.SetPicture(CProdottiColoriCore::Foto, PictureFile("rosso.bmp", {20, 20}, qRgb(220, 0, 0)));
    core.m_chooseFile = [] { return QString(); };
    EXPECT_FALSE(core.ChoosePicture(CProdottiColoriCore::Foto).IsRefused());
    EXPECT_EQ(core.Chosen(CProdottiColoriCore::Foto).size(), QSize(20, 20));
}

TEST_F(ColoursPage, DeletingAsksThenTakesTheRowAndItsPictures)
{
    const qint32 id = AddWithPhoto(QStringLiteral("R"), qRgb(220, 0, 0));
    core.Select(id);
    CMessageBoxScript boxes;
    boxes.Answer(QMessageBox::No);
    EXPECT_FALSE(core.Delete());
    EXPECT_EQ(boxes.LastText(), QStringLiteral("Confermi ?"));
    EXPECT_EQ(boxes.Shown().last().caption, QStringLiteral("Cancellazione colore"));
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM ProdottiColori")), 1);

    boxes.Answer(QMessageBox::Yes);
    EXPECT_TRUE(core.Delete());
    EXPECT_TRUE(core.Items().isEmpty());
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM ProdottiColori")), 0);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM RecordsEliminati WHERE NomeTabella='ProdottiColori'")), 1);
    const QString name = QString::number(id) + QStringLiteral(".jpg");
    EXPECT_FALSE(QFileInfo::exists(Site(name)));
    EXPECT_FALSE(QFileInfo::exists(Site("th/" + name)));
}

TEST_F(ColoursPage, TheListHoldsOnlyTheProductsColoursAndButtonsFollowTheSelection)
{
    AddWithPhoto(QStringLiteral("R"), qRgb(220, 0, 0));
    core.LoadColours(6);
    const qint32 other = AddWithPhoto(QStringLiteral("G"), qRgb(0, 220, 0));
    core.LoadColours(5);
    ASSERT_EQ(core.Items().size(), 1);
    EXPECT_EQ(core.Items().first().strCodice, QStringLiteral("R"));
    // A colour of another product is not selected.
    EXPECT_TRUE(core.Select(other).strCodice.isEmpty());
    EXPECT_EQ(core.Selected(), 0);
    EXPECT_TRUE(core.GetButtons().bAdd);
    EXPECT_FALSE(core.GetButtons().bDelete);
    const CProdottiColoriCore::Fields fields = core.Select(core.Items().first().nId);
    EXPECT_EQ(fields.strDescrizione, QStringLiteral("Descrizione R"));
    EXPECT_FALSE(core.GetButtons().bAdd);
    EXPECT_TRUE(core.GetButtons().bModify);
    EXPECT_TRUE(core.GetButtons().bDelete);
}

TEST_F(ColoursPage, PicturesOfTheShopsOtherSpellingsAreFound)
{
    QDir().mkpath(Site("dettagli"));
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::blue);
    ASSERT_TRUE(image.save(Site("dettagli/9.GIF").replace(".GIF", ".bmp")));
    ASSERT_TRUE(QFile::rename(Site("dettagli/9.bmp"), Site("dettagli/9.GIF")));
    EXPECT_EQ(core.PictureFile(CProdottiColoriCore::Dettaglio, 9), Site("dettagli/9.GIF"));
    EXPECT_TRUE(core.PictureFile(CProdottiColoriCore::Foto, 9).isEmpty());
}

} // namespace
