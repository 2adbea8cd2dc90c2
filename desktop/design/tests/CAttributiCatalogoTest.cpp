// The style attributes' catalogue shared by the style dialog and the
// style-sheet writer.

#include "desktop/design/CAttributiCatalogo.h"

#include <gtest/gtest.h>

namespace {

struct LengthCase
{
    const char* stored;
    const char* written;
};

TEST(AttributiCatalogo, LengthsAreWrittenWithPixelsUnlessAPercentage)
{
    const LengthCase cases[] = {
        {"12", "12px"},
        {"50%", "50%"},
        {"7  ", "7px"},
        // Values are stored bare: a unit typed by hand is doubled, as before.
        {"12px", "12pxpx"},
    };
    for (const LengthCase& c : cases)
        EXPECT_EQ(CAttributiCatalogo::WithUnit(QString::fromLatin1(c.stored)), QString::fromLatin1(c.written))
            << c.stored;
}

TEST(AttributiCatalogo, BordersHaveNoPropertyOfTheirOwn)
{
    EXPECT_EQ(CAttributiCatalogo::Property(0), QStringLiteral("width"));
    EXPECT_EQ(CAttributiCatalogo::Property(26), QStringLiteral("background-image"));
    EXPECT_EQ(CAttributiCatalogo::Property(34), QStringLiteral("text-decoration"));
    for (int id = 10; id <= 21; ++id)
        EXPECT_TRUE(CAttributiCatalogo::Property(id).isEmpty()) << id;
    EXPECT_TRUE(CAttributiCatalogo::Property(35).isEmpty());
    EXPECT_TRUE(CAttributiCatalogo::Property(-1).isEmpty());
    EXPECT_EQ(CAttributiCatalogo::BorderSide(16), QStringLiteral("border-bottom"));
    EXPECT_TRUE(CAttributiCatalogo::BorderSide(11).isEmpty());
    EXPECT_TRUE(CAttributiCatalogo::IsLength(13));
    EXPECT_FALSE(CAttributiCatalogo::IsLength(14));
}

} // namespace
