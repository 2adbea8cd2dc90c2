// The image page on the card's image: flips, previews that never add up,
// applying, loading, and what entering and leaving the tab keep.

#include "desktop/catalogue/CProdottiImmagineCore.h"
#include "platform/testing/TempFolder.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

// The card's three members, as the view holds them, with a picture whose
// left column is dark and right column light.
class ImagePage : public ::testing::Test
{
protected:
    ImagePage() : core(shown, reference, changed)
    {
        shown = QImage(2, 1, QImage::Format_RGB32);
        shown.setPixel(0, 0, qRgb(40, 40, 40));
        shown.setPixel(1, 0, qRgb(200, 200, 200));
        core.m_redraw = [this] { ++redraws; };
        core.EnterPage();
    }

    int Left() const { return qRed(shown.pixel(0, 0)); }

    QImage shown;
    QImage reference;
    bool changed = false;
    int redraws = 0;
    CProdottiImmagineCore core;
};

TEST_F(ImagePage, PreviewAtNeutralShowsTheReferenceUnchanged)
{
    const QImage before = shown;
    core.Anteprima(100, 100);
    EXPECT_EQ(shown, before);
    EXPECT_FALSE(changed);
}

TEST_F(ImagePage, PreviewsStartFromTheReferenceAndDoNotAddUp)
{
    core.Anteprima(150, 100);
    EXPECT_EQ(Left(), 60);
    core.Anteprima(150, 100);
    EXPECT_EQ(Left(), 60);
    EXPECT_EQ(qRed(reference.pixel(0, 0)), 40);
    EXPECT_GE(redraws, 2);
}

TEST_F(ImagePage, APreviewDropsAFlipNotApplied)
{
    core.FlipOrizzontale();
    EXPECT_EQ(Left(), 200);
    EXPECT_TRUE(changed);
    core.Anteprima(100, 100);
    EXPECT_EQ(Left(), 40);
}

TEST_F(ImagePage, AnAppliedFlipStaysThroughAPreview)
{
    core.FlipOrizzontale();
    core.Applica();
    core.Anteprima(100, 100);
    EXPECT_EQ(Left(), 200);
}

TEST_F(ImagePage, ApplyMakesTheAdjustmentTheReferenceAndResetsTheSliders)
{
    core.Anteprima(50, 100);
    EXPECT_EQ(core.Luminosita(), 50);
    core.Applica();
    EXPECT_TRUE(changed);
    EXPECT_EQ(core.Luminosita(), CProdottiImmagineCore::kNeutral);
    EXPECT_EQ(core.Contrasto(), CProdottiImmagineCore::kNeutral);
    core.Anteprima(50, 100);   // half of the applied 20
    EXPECT_EQ(Left(), 10);
}

TEST_F(ImagePage, LeavingTheTabDropsWhatWasNotApplied)
{
    core.Anteprima(150, 150);
    core.FlipVerticale();
    core.LeavePage();
    EXPECT_EQ(Left(), 40);
    EXPECT_EQ(core.Luminosita(), CProdottiImmagineCore::kNeutral);
}

TEST_F(ImagePage, ALoadedFileReplacesImageAndReferenceAndMarksTheChange)
{
    TempFolder temp;
    const QString file = temp.Path() + QStringLiteral("/foto.bmp");
    QImage picture(3, 3, QImage::Format_RGB32);
    picture.fill(qRgb(0, 0, 255));
    ASSERT_TRUE(picture.save(file));
    core.m_chooseFile = [&] { return file; };
    QString error;
    ASSERT_TRUE(core.ScegliSuDisco(&error));
    EXPECT_EQ(shown.size(), QSize(3, 3));
    EXPECT_EQ(reference, shown);
    EXPECT_TRUE(changed);
}

TEST_F(ImagePage, ACancelledOrUnreadableChoiceKeepsTheImage)
{
    const QImage before = shown;
    core.m_chooseFile = [] { return QString(); };
    QString error;
    EXPECT_TRUE(core.ScegliSuDisco(&error));
    TempFolder temp;
    const QString broken = temp.Path() + QStringLiteral("/rotta.jpg");
    QFile out(broken);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write("no picture");
    out.close();
    core.m_chooseFile = [&] { return broken; };
    EXPECT_FALSE(core.ScegliSuDisco(&error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(shown, before);
    EXPECT_EQ(reference, before);
    EXPECT_FALSE(changed);
}

TEST(CProdottiImmagineCoreTest, WithoutAnImageNothingIsMarkedChanged)
{
    QImage shown;
    QImage reference;
    bool changed = false;
    CProdottiImmagineCore core(shown, reference, changed);
    core.FlipOrizzontale();
    core.Anteprima(150, 150);
    core.Applica();
    EXPECT_TRUE(shown.isNull());
    EXPECT_FALSE(changed);
}

} // namespace
