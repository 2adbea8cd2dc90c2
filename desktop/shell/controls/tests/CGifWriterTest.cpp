// The GIF the site gets for logos and banners: readable back at the size
// written, whatever the number of colours, and never half-written.

#include "desktop/shell/controls/CGifWriter.h"
#include "desktop/shell/controls/tests/FileSizeLimit.h"
#include "platform/testing/TempFolder.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>

#include <gtest/gtest.h>

namespace {

struct GifCase
{
    const char* name;
    int width;
    int height;
};

void PrintTo(const GifCase& c, std::ostream* os)
{
    *os << c.name;
}

class GifSizes : public ::testing::TestWithParam<GifCase>
{
};

// A gradient has far more than the 256 colours a GIF holds: the palette
// is made for it and every pixel stays near its colour.
TEST_P(GifSizes, ReadBackAtTheirSizeAndNearTheirColours)
{
    TempFolder temp;
    QImage image(GetParam().width, GetParam().height, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x * 255 / image.width(), y * 255 / image.height(), 128));
    const QString path = temp.FilePath(QStringLiteral("out.gif"));
    QString error;
    ASSERT_TRUE(CGifWriter::Save(image, path, &error)) << error.toStdString();
    QImageReader reader(path);
    EXPECT_EQ(reader.format(), QByteArray("gif"));
    const QImage back = reader.read().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(back.size(), image.size());
    int worst = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb a = image.pixel(x, y);
            const QRgb b = back.pixel(x, y);
            worst = std::max({worst, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                              std::abs(qBlue(a) - qBlue(b))});
        }
    EXPECT_LE(worst, 40);
}

INSTANTIATE_TEST_SUITE_P(Pictures, GifSizes,
                         ::testing::Values(GifCase{"OnePixel", 1, 1}, GifCase{"Small", 3, 2},
                                           GifCase{"LogoSized", 200, 50}, GifCase{"ManyColours", 300, 200}),
                         [](const ::testing::TestParamInfo<GifCase>& info) { return std::string(info.param.name); });

TEST(CGifWriterTest, AFailedWriteLeavesTheOldFileAndSaysWhy)
{
    TempFolder temp;
    const QString path = temp.FilePath(QStringLiteral("logo.gif"));
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old logo");
    old.close();
    QString error;
    EXPECT_FALSE(CGifWriter::Save(QImage(), path, &error));
    EXPECT_TRUE(error.contains(path));
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("old logo"));
    EXPECT_FALSE(CGifWriter::Save(QImage(4, 4, QImage::Format_RGB32), temp.FilePath(QStringLiteral("no/such/x.gif")),
                                  &error));
}

// The disk fills while the last bytes are written: the old picture stays.
TEST(CGifWriterTest, AWriteCutShortLeavesTheOldFile)
{
    TempFolder temp;
    const QString path = temp.FilePath(QStringLiteral("logo.gif"));
    temp.WriteFile(QStringLiteral("logo.gif"), QByteArray("old logo"));
    QImage image(64, 64, QImage::Format_RGB32);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            image.setPixel(x, y, qRgb(x * 4, y * 4, (x * y) % 256));
    QString error;
    bool saved = true;
    {
        const FileSizeLimit limit(256);
        saved = CGifWriter::Save(image, path, &error);
    }
    EXPECT_FALSE(saved);
    EXPECT_EQ(temp.ReadFile(QStringLiteral("logo.gif")), QByteArray("old logo"));
    EXPECT_EQ(QDir(temp.Path()).entryList(QDir::Files), QStringList{"logo.gif"});
}

} // namespace

namespace {

// A picture of few colours keeps each exactly, and its transparent pixels
// stay transparent: a recoloured site image changes nowhere else.
TEST(CGifWriterTest, FewColoursStayExactAndTransparencyStays)
{
    TempFolder temp;
    QImage image(3, 2, QImage::Format_ARGB32);
    const QList<QRgb> pixels = {qRgb(1, 2, 3), qRgba(0, 0, 0, 0), qRgb(250, 251, 252),
                                qRgb(128, 64, 32), qRgb(1, 2, 3), qRgba(255, 0, 0, 0)};
    for (int i = 0; i < pixels.size(); ++i)
        image.setPixel(i % 3, i / 3, pixels[i]);
    const QString path = temp.FilePath(QStringLiteral("t.gif"));
    QString error;
    ASSERT_TRUE(CGifWriter::Save(image, path, &error)) << error.toStdString();
    const QImage back = QImage(path).convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(back.size(), image.size());
    for (int i = 0; i < pixels.size(); ++i) {
        const QRgb pixel = back.pixel(i % 3, i / 3);
        if (qAlpha(pixels[i]) == 0)
            EXPECT_EQ(qAlpha(pixel), 0) << "pixel " << i;
        else
            EXPECT_EQ(pixel, pixels[i]) << "pixel " << i;
    }
}

// A gradient with a transparent hole: the cube palette leaves an entry
// for transparency.
TEST(CGifWriterTest, ManyColoursWithTransparency)
{
    TempFolder temp;
    QImage image(64, 64, QImage::Format_ARGB32);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            image.setPixel(x, y, x < 8 && y < 8 ? qRgba(0, 0, 0, 0) : qRgb(x * 4, y * 4, 100));
    const QString path = temp.FilePath(QStringLiteral("g.gif"));
    QString error;
    ASSERT_TRUE(CGifWriter::Save(image, path, &error)) << error.toStdString();
    const QImage back = QImage(path).convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(qAlpha(back.pixel(3, 3)), 0);
    EXPECT_EQ(qAlpha(back.pixel(30, 30)), 255);
}

} // namespace
