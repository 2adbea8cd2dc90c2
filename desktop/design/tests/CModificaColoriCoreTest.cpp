// The rules of "Modifica colori" between its two modes: every pending
// change is offered for saving before it could be lost, "No" keeps the
// files as they were, and a failed save loses nothing.

#include "desktop/design/CModificaColoriCore.h"
#include "desktop/design/tests/ColourFixture.h"
#include "desktop/shell/controls/CMessageBoxScript.h"
#include "desktop/shell/controls/tests/FileSizeLimit.h"

#include <QFile>

#include <gtest/gtest.h>


namespace {

const QString kStylesQuestion = QStringLiteral("ATTENZIONE: sono stati modificati i colori.\n\nVuoi salvare le modifiche?");
const QString kImageQuestion =
    QStringLiteral("ATTENZIONE: l'immagine è stata modificata.\n\nVuoi salvare le modifiche?");

class ModificaColori : public ::testing::Test
{
protected:
    ModificaColori()
    {
        fixture.Value(1, QStringLiteral("#AAAAAA"));
        fixture.Value(2, QStringLiteral("#AAAAAA"));
        fixture.Value(3, QStringLiteral("#BBBBBB"));
        fixture.WriteGif(QStringLiteral("a.gif"), 2, 1, {QColor(255, 0, 0), QColor(0, 0, 255)}, {0, 1});
        fixture.WriteGif(QStringLiteral("b.gif"), 2, 1, {QColor(255, 0, 0), QColor(0, 0, 255)}, {1, 1});
    }

    QByteArray ReadImage(const QString& name) const
    {
        QFile file(fixture.ImagePath(name));
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }

    ColourFixture fixture;
    CMessageBoxScript boxes;
};

TEST_F(ModificaColori, NoKeepsTheDatabaseAndChiudiAsksAgain)
{
    CModificaColoriCore core(fixture.shop.Db(), fixture.shop.Folder());
    ASSERT_TRUE(core.Open());
    core.ChangeEntry(0, QColor(0x12, 0x34, 0x56));

    boxes.Answer(QMessageBox::No);
    core.SelectImages();
    ASSERT_EQ(boxes.Shown().size(), 1);
    EXPECT_EQ(boxes.Shown()[0].text, kStylesQuestion);
    EXPECT_EQ(boxes.Shown()[0].caption, QStringLiteral("Modifica colori"));
    EXPECT_EQ(boxes.Shown()[0].icon, CMessageBox::Exclamation);
    EXPECT_EQ(boxes.Shown()[0].buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(fixture.Values(), (QStringList{"#AAAAAA", "#AAAAAA", "#BBBBBB"}));
    EXPECT_TRUE(core.ChangedClasses().isEmpty());

    boxes.Answer(QMessageBox::Yes);
    EXPECT_TRUE(core.Close());
    ASSERT_EQ(boxes.Shown().size(), 2);
    EXPECT_EQ(boxes.Shown()[1].text, kStylesQuestion);
    EXPECT_EQ(fixture.Values(), (QStringList{"#123456", "#123456", "#BBBBBB"}));
    EXPECT_EQ(core.ChangedClasses(), (QSet<qint32>{1, 2}));
}

TEST_F(ModificaColori, ChiudiWithNothingChangedAsksNothing)
{
    CModificaColoriCore core(fixture.shop.Db(), fixture.shop.Folder());
    core.Open();
    core.SelectImages();
    core.SelectStyles();
    EXPECT_TRUE(core.Close());
    EXPECT_TRUE(boxes.Shown().isEmpty());
}

TEST_F(ModificaColori, ImageModeListsTheImagesAndLoadsTheFirst)
{
    CModificaColoriCore core(fixture.shop.Db(), fixture.shop.Folder());
    core.Open();
    core.SelectImages();
    EXPECT_EQ(core.GetMode(), CModificaColoriCore::Immagini);
    EXPECT_EQ(core.ImageNames(), (QStringList{"a.gif", "b.gif"}));
    EXPECT_EQ(core.Images().Name(), QStringLiteral("a.gif"));
    core.SelectStyles();
    EXPECT_EQ(core.GetMode(), CModificaColoriCore::Stili);
    EXPECT_FALSE(core.Images().IsLoaded());
}

TEST_F(ModificaColori, AnotherImageOrTheStylesModeOfferToSaveTheImage)
{
    const QByteArray before = ReadImage(QStringLiteral("a.gif"));
    CModificaColoriCore core(fixture.shop.Db(), fixture.shop.Folder());
    core.Open();
    core.SelectImages();
    core.ChangeImage(QColor(255, 0, 0), QColor(0, 255, 0));

    // Choosing another image: "No" keeps the file as it was.
    boxes.Answer(QMessageBox::No);
    ASSERT_TRUE(core.SelectImage(1));
    ASSERT_EQ(boxes.Shown().size(), 1);
    EXPECT_EQ(boxes.Shown()[0].text, kImageQuestion);
    EXPECT_EQ(boxes.Shown()[0].caption, QStringLiteral("Modifica immagini"));
    EXPECT_EQ(ReadImage(QStringLiteral("a.gif")), before);
    EXPECT_FALSE(core.Images().IsChanged());

    // Back to the styles: "Sì" writes the image.
    core.ChangeImage(QColor(0, 0, 255), QColor(0, 255, 0));
    boxes.Answer(QMessageBox::Yes);
    core.SelectStyles();
    ASSERT_EQ(boxes.Shown().size(), 2);
    EXPECT_EQ(boxes.Shown()[1].text, kImageQuestion);
    EXPECT_EQ(QImage(fixture.ImagePath(QStringLiteral("b.gif"))).pixel(0, 0), qRgb(0, 255, 0));
}

// The file is written beside the image and put in its place whole: a write
// that fails halfway (here the file size limit of the process) leaves the
// old image, reports why, and the change waits for another try.
TEST_F(ModificaColori, AFailedImageSaveLeavesTheFileAsItWas)
{
    // A picture too rich to be written within the limit below.
    QImage noise(64, 64, QImage::Format_RGB32);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            noise.setPixel(x, y, qRgb((x * 37 + y * 11) % 256, (x * 5 + y * 71) % 256, (x * y) % 256));
    QList<int> indexes;
    for (int i = 0; i < 64 * 64; ++i)
        indexes << i % 200;
    QList<QColor> palette;
    for (int i = 0; i < 200; ++i)
        palette << QColor(noise.pixel(i % 64, i / 64));
    fixture.WriteGif(QStringLiteral("rumore.gif"), 64, 64, palette, indexes);
    const QByteArray before = ReadImage(QStringLiteral("rumore.gif"));
    ASSERT_GT(before.size(), 512);

    CModificaColoriCore core(fixture.shop.Db(), fixture.shop.Folder());
    core.Open();
    core.SelectImages();
    ASSERT_TRUE(core.SelectImage(core.ImageNames().indexOf(QStringLiteral("rumore.gif"))));
    core.ChangeImage(palette[0], QColor(1, 2, 3));

    boxes.Answer(QMessageBox::Yes);
    bool closed = true;
    {
        const FileSizeLimit limit(256);
        closed = core.Close();
    }

    EXPECT_FALSE(closed);
    EXPECT_EQ(ReadImage(QStringLiteral("rumore.gif")), before);
    ASSERT_EQ(boxes.Shown().size(), 2);
    EXPECT_TRUE(boxes.Shown()[1].text.startsWith(QStringLiteral("Impossibile scrivere l'immagine")));
    EXPECT_TRUE(core.Images().IsChanged());

    boxes.Answer(QMessageBox::Yes);
    EXPECT_TRUE(core.Close());
    EXPECT_NE(ReadImage(QStringLiteral("rumore.gif")), before);
}

} // namespace
