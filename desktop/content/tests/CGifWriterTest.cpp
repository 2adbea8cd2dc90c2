// The GIF the site gets for logos and banners: readable back at the size
// written, whatever the number of colours, and never half-written.

#include "desktop/content/CGifWriter.h"
#include "platform/testing/TempFolder.h"

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

} // namespace
