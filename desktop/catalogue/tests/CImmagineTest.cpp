// The product card's imaging: flips and tone adjustments worked out pixel by
// pixel, the picture formats the merchant may choose, and where pictures
// may be written.

#include "desktop/catalogue/CImmagine.h"
#include "platform/testing/TempFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <functional>

namespace {

// A 2x2 image: red, green on top; blue, grey (100,150,200) below.
QImage Sample()
{
    QImage image(2, 2, QImage::Format_RGB32);
    image.setPixel(0, 0, qRgb(255, 0, 0));
    image.setPixel(1, 0, qRgb(0, 255, 0));
    image.setPixel(0, 1, qRgb(0, 0, 255));
    image.setPixel(1, 1, qRgb(100, 150, 200));
    return image;
}

struct PixelCase
{
    const char* name;
    std::function<QImage(const QImage&)> operation;
    QPoint at;
    QRgb expected;
};

void PrintTo(const PixelCase& c, std::ostream* os)
{
    *os << c.name;
}

class CImmaginePixelTest : public ::testing::TestWithParam<PixelCase>
{
};

TEST_P(CImmaginePixelTest, GivesThePixelWorkedOutByHand)
{
    const PixelCase& c = GetParam();
    const QImage result = c.operation(Sample());
    ASSERT_EQ(result.size(), QSize(2, 2));
    const QRgb pixel = result.pixel(c.at);
    EXPECT_EQ(qRed(pixel), qRed(c.expected));
    EXPECT_EQ(qGreen(pixel), qGreen(c.expected));
    EXPECT_EQ(qBlue(pixel), qBlue(c.expected));
}

QImage Brightness(const QImage& image, int value)
{
    return CImmagine::AdjustBrightness(image, value);
}

QImage Contrast(const QImage& image, int value)
{
    return CImmagine::AdjustContrast(image, value);
}

INSTANTIATE_TEST_SUITE_P(
    Operations, CImmaginePixelTest,
    ::testing::Values(
        // Mirror swaps left and right, flip top and bottom.
        PixelCase{"MirrorBringsGreenLeft", CImmagine::Mirror, {0, 0}, qRgb(0, 255, 0)},
        PixelCase{"MirrorBringsGreyLeft", CImmagine::Mirror, {0, 1}, qRgb(100, 150, 200)},
        PixelCase{"FlipBringsBlueUp", CImmagine::Flip, {0, 0}, qRgb(0, 0, 255)},
        PixelCase{"FlipBringsRedDown", CImmagine::Flip, {0, 1}, qRgb(255, 0, 0)},
        // 100 is neutral for both.
        PixelCase{"NeutralBrightness", [](const QImage& i) { return Brightness(i, 100); }, {1, 1},
                  qRgb(100, 150, 200)},
        PixelCase{"NeutralContrast", [](const QImage& i) { return Contrast(i, 100); }, {1, 1}, qRgb(100, 150, 200)},
        // Brightness scales the channels, clipped at 255.
        PixelCase{"BrighterBy150", [](const QImage& i) { return Brightness(i, 150); }, {1, 1}, qRgb(150, 225, 255)},
        PixelCase{"DarkerBy50", [](const QImage& i) { return Brightness(i, 50); }, {1, 1}, qRgb(50, 75, 100)},
        PixelCase{"BrightnessKeepsBlack", [](const QImage& i) { return Brightness(i, 150); }, {0, 0},
                  qRgb(255, 0, 0)},
        // Contrast moves a channel away from or towards 128: 100 -> 86,
        // 150 -> 161, 200 -> 236 at 150; at 50 200 -> 164, 0 -> 64.
        PixelCase{"MoreContrast", [](const QImage& i) { return Contrast(i, 150); }, {1, 1}, qRgb(86, 161, 236)},
        PixelCase{"MoreContrastClips", [](const QImage& i) { return Contrast(i, 150); }, {0, 0}, qRgb(255, 0, 0)},
        PixelCase{"LessContrast", [](const QImage& i) { return Contrast(i, 50); }, {1, 1}, qRgb(114, 139, 164)},
        PixelCase{"LessContrastLiftsBlack", [](const QImage& i) { return Contrast(i, 50); }, {0, 0},
                  qRgb(192, 64, 64)}),
    [](const ::testing::TestParamInfo<PixelCase>& info) { return std::string(info.param.name); });

// The formats of the open-file dialog, each read at 32 bits per pixel.
struct FormatCase
{
    const char* name;
    QByteArray bytes;   // empty: written by Qt in `format`
    const char* format;
    QRgb expected;
};

void PrintTo(const FormatCase& c, std::ostream* os)
{
    *os << c.name;
}

// A 1x1 GIF of the colour at index 0 of the table {colour, black}, with a
// graphic control block making index 0 transparent when asked.
QByteArray Gif(QRgb colour, bool transparent)
{
    QByteArray gif("GIF89a\x01\x00\x01\x00\x80\x00\x00", 13);
    gif += char(qRed(colour));
    gif += char(qGreen(colour));
    gif += char(qBlue(colour));
    gif += QByteArray("\x00\x00\x00", 3);
    if (transparent)
        gif += QByteArray("\x21\xf9\x04\x01\x00\x00\x00\x00", 8);
    gif += QByteArray("\x2c\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00\x3b", 16);
    return gif;
}

class CImmagineFormatTest : public ::testing::TestWithParam<FormatCase>
{
};

TEST_P(CImmagineFormatTest, LoadsThePictureOpaqueAt32Bits)
{
    const FormatCase& c = GetParam();
    TempFolder temp;
    const QString file = temp.Path() + QStringLiteral("/picture.") + QLatin1String(c.format);
    if (c.bytes.isEmpty()) {
        QImage image(4, 4, QImage::Format_RGB32);
        image.fill(c.expected);
        ASSERT_TRUE(image.save(file, c.format));
    } else {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(c.bytes);
    }
    QString error;
    const QImage image = CImmagine::Load(file, &error);
    ASSERT_FALSE(image.isNull()) << error.toStdString();
    EXPECT_EQ(image.format(), QImage::Format_RGB32);
    const QRgb pixel = image.pixel(0, 0);
    // JPEG is lossy: a few steps either way.
    EXPECT_NEAR(qRed(pixel), qRed(c.expected), 6);
    EXPECT_NEAR(qGreen(pixel), qGreen(c.expected), 6);
    EXPECT_NEAR(qBlue(pixel), qBlue(c.expected), 6);
}

INSTANTIATE_TEST_SUITE_P(Formats, CImmagineFormatTest,
                         ::testing::Values(FormatCase{"Bmp", {}, "bmp", qRgb(10, 200, 30)},
                                           FormatCase{"Jpeg", {}, "jpg", qRgb(200, 60, 40)},
                                           FormatCase{"Gif", Gif(qRgb(255, 0, 0), false), "gif", qRgb(255, 0, 0)},
                                           // The site's JPEG holds no transparency: white shows through.
                                           FormatCase{"TransparentGifOnWhite", Gif(qRgb(0, 0, 255), true), "gif",
                                                      qRgb(255, 255, 255)}),
                         [](const ::testing::TestParamInfo<FormatCase>& info) { return std::string(info.param.name); });

TEST(CImmagineTest, AFileThatIsNoPictureIsReportedByName)
{
    TempFolder temp;
    const QString file = temp.Path() + QStringLiteral("/notes.jpg");
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write("not a picture");
    out.close();
    QString error;
    EXPECT_TRUE(CImmagine::Load(file, &error).isNull());
    EXPECT_EQ(error, QStringLiteral("Impossibile leggere l'immagine %1.").arg(file));
}

TEST(CImmagineTest, ToWidthKeepsTheProportionInWholePixels)
{
    QImage image(300, 200, QImage::Format_RGB32);
    image.fill(Qt::red);
    EXPECT_EQ(CImmagine::ToWidth(image, 100).size(), QSize(100, 66));   // 200 * 100 / 300
    EXPECT_EQ(CImmagine::ToWidth(image, 0).size(), QSize(300, 200));
}

TEST(CImmagineTest, AFailedWriteLeavesTheOldPicture)
{
    TempFolder temp;
    const QString path = temp.Path() + QStringLiteral("/7.jpg");
    QImage old(8, 8, QImage::Format_RGB32);
    old.fill(Qt::green);
    ASSERT_TRUE(CImmagine::SaveJpeg(old, path, nullptr));
    const QByteArray before = [&] {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();
    QString error;
    EXPECT_FALSE(CImmagine::SaveJpeg(QImage(), path, &error));
    EXPECT_FALSE(error.isEmpty());
    QFile after(path);
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), before);
    EXPECT_EQ(QDir(temp.Path()).entryList(QDir::Files), QStringList{QStringLiteral("7.jpg")});
}

TEST(CImmagineTest, PicturesAreWrittenOnlyInsideTheProject)
{
    TempFolder temp;
    const QString project = temp.Path() + QStringLiteral("/negozio");
    const QString outside = temp.Path() + QStringLiteral("/altrove");
    QDir().mkpath(project + QStringLiteral("/website/images/prodotti"));
    QDir().mkpath(outside);
    EXPECT_EQ(CImmagine::FolderInside(project, QStringLiteral("website/images/prodotti/colori/th")),
              QFileInfo(project).canonicalFilePath() + QStringLiteral("/website/images/prodotti/colori/th"));
    // A link that leads out of the project, and a relative path that climbs out.
    ASSERT_TRUE(QFile::link(outside, project + QStringLiteral("/website/images/prodotti/colori/dettagli")));
    EXPECT_TRUE(CImmagine::FolderInside(project, QStringLiteral("website/images/prodotti/colori/dettagli")).isEmpty());
    EXPECT_TRUE(CImmagine::FolderInside(project, QStringLiteral("website/../../altrove")).isEmpty());
}

} // namespace
