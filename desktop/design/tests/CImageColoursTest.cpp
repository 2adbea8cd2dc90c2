// The site's GIF images recoloured: one colour replaced, every other pixel
// and the transparency as they were, the file written back as GIF; and the
// zoom that the preview allows.

#include "desktop/design/CImageColours.h"
#include "desktop/design/tests/ColourFixture.h"

#include <QFile>
#include <QImageReader>

#include <gtest/gtest.h>

namespace {

const QColor kRed(255, 0, 0);
const QColor kGreen(0, 128, 0);
const QColor kBlue(0, 0, 255);
const QColor kYellow(255, 255, 0);

// 4 x 2: red, green, blue and a transparent pixel whose palette colour is
// red too, so a careless replace would make it visible.
void WriteSample(ColourFixture& fixture, const QString& name)
{
    fixture.WriteGif(name, 4, 2, {kRed, kGreen, kBlue, kRed}, {0, 1, 2, 3, 3, 0, 0, 1}, 3);
}

TEST(CImageColours, RecolouredGifKeepsTheOtherColoursAndTheTransparency)
{
    ColourFixture fixture;
    WriteSample(fixture, QStringLiteral("testata.gif"));
    CImageColours images(fixture.shop.Folder());
    ASSERT_TRUE(images.Load(QStringLiteral("testata.gif")));
    ASSERT_EQ(images.Image().size(), QSize(4, 2));

    EXPECT_EQ(images.Replace(kRed, kYellow), 3);
    EXPECT_TRUE(images.IsChanged());
    QString error;
    ASSERT_TRUE(images.Save(&error)) << error.toStdString();
    EXPECT_FALSE(images.IsChanged());

    QImageReader reader(fixture.ImagePath(QStringLiteral("testata.gif")));
    EXPECT_EQ(reader.format(), QByteArray("gif"));
    const QImage back = reader.read().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(back.size(), QSize(4, 2));
    const QList<QRgb> expected = {kYellow.rgb(), kGreen.rgb(), kBlue.rgb(), 0, 0, kYellow.rgb(), kYellow.rgb(),
                                  kGreen.rgb()};
    for (int i = 0; i < expected.size(); ++i) {
        const QRgb pixel = back.pixel(i % 4, i / 4);
        if (expected[i] == 0)
            EXPECT_EQ(qAlpha(pixel), 0) << "pixel " << i;
        else
            EXPECT_EQ(pixel, expected[i]) << "pixel " << i;
    }
    EXPECT_GE(GifTransparentIndex(fixture.ImagePath(QStringLiteral("testata.gif"))), 0);
}

TEST(CImageColours, AReadOnlyImageIsWrittenAndLeftWritable)
{
    ColourFixture fixture;
    WriteSample(fixture, QStringLiteral("logo.gif"));
    const QString path = fixture.ImagePath(QStringLiteral("logo.gif"));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    CImageColours images(fixture.shop.Folder());
    ASSERT_TRUE(images.Load(QStringLiteral("logo.gif")));
    images.Replace(kGreen, kBlue);
    QString error;
    ASSERT_TRUE(images.Save(&error)) << error.toStdString();
    EXPECT_TRUE(QFile::permissions(path) & QFile::WriteOwner);
    EXPECT_EQ(QImage(path).pixel(1, 0), kBlue.rgb());
}

TEST(CImageColours, ListsTheGifFilesByNameAndRefusesOthers)
{
    ColourFixture fixture;
    WriteSample(fixture, QStringLiteral("zeta.gif"));
    WriteSample(fixture, QStringLiteral("ALFA.GIF"));
    QFile(fixture.ImagePath(QStringLiteral("foto.jpg"))).open(QIODevice::WriteOnly);
    QFile broken(fixture.ImagePath(QStringLiteral("rotta.gif")));
    broken.open(QIODevice::WriteOnly);
    broken.write("not a picture");
    broken.close();
    CImageColours images(fixture.shop.Folder());
    EXPECT_EQ(images.ImageNames(), (QStringList{"ALFA.GIF", "rotta.gif", "zeta.gif"}));
    EXPECT_FALSE(images.Load(QStringLiteral("rotta.gif")));
    EXPECT_FALSE(images.IsLoaded());
    EXPECT_FALSE(images.Load(QStringLiteral("../images/zeta.gif")));
    EXPECT_TRUE(images.Load(QStringLiteral("ALFA.GIF")));
}

TEST(CImageColours, PickingReadsThePixelShownUnderThePointer)
{
    ColourFixture fixture;
    WriteSample(fixture, QStringLiteral("a.gif"));
    CImageColours images(fixture.shop.Folder());
    ASSERT_TRUE(images.Load(QStringLiteral("a.gif")));
    EXPECT_EQ(images.Shown(300).size(), QSize(12, 6));
    EXPECT_EQ(images.ColourAt(QPoint(0, 0), 300), kRed);
    EXPECT_EQ(images.ColourAt(QPoint(5, 2), 300), kGreen);   // pixel (1, 0)
    EXPECT_EQ(images.ColourAt(QPoint(8, 1), 300), kBlue);    // pixel (2, 0)
    EXPECT_EQ(images.ColourAt(QPoint(10, 1), 300), std::nullopt);   // transparent
    EXPECT_EQ(images.ColourAt(QPoint(12, 0), 300), std::nullopt);   // beside the image
    EXPECT_EQ(images.ColourAt(QPoint(0, 1), 100), std::nullopt);    // transparent at 100%
}

struct ZoomCase
{
    const char* name;
    QSize area;
    QSize image;
    int largest;
};

void PrintTo(const ZoomCase& c, std::ostream* os)
{
    *os << c.name;
}

class ZoomRule : public ::testing::TestWithParam<ZoomCase>
{
};

// Whole multiples of the image that fit both ways, in percent; 9000 at
// most. Below 100 the track bar is disabled and the image shown at 100%.
TEST_P(ZoomRule, LargestZoomIsTheWholeMultipleThatFits)
{
    EXPECT_EQ(CImageColours::MaxZoom(GetParam().area, GetParam().image), GetParam().largest);
}

INSTANTIATE_TEST_SUITE_P(
    Preview, ZoomRule,
    ::testing::Values(ZoomCase{"WidthLimits", {400, 300}, {120, 50}, 300},
                      ZoomCase{"HeightLimits", {400, 300}, {50, 140}, 200},
                      ZoomCase{"ExactFit", {400, 300}, {400, 300}, 100},
                      ZoomCase{"AlmostTwice", {400, 300}, {201, 100}, 100},
                      ZoomCase{"TooWide", {400, 300}, {401, 10}, 0},
                      ZoomCase{"TooTall", {400, 300}, {10, 301}, 0},
                      ZoomCase{"OnePixelIsCapped", {400, 300}, {1, 1}, 9000},
                      ZoomCase{"JustUnderTheCap", {890, 890}, {10, 10}, 8900},
                      ZoomCase{"NoImage", {400, 300}, {0, 0}, 0}),
    [](const ::testing::TestParamInfo<ZoomCase>& info) { return std::string(info.param.name); });

} // namespace
