#include "desktop/design/CAttributiCatalogo.h"

#include "platform/testing/QtPrinters.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

TEST(CAttributiCatalogo, Lengths)
{
    const std::pair<const char*, const char*> cases[] = {
        {"12", "12px"},     // bare number
        {"50%", "50%"},     // percentage
        {"7  ", "7px"},     // trailing blanks
        // Values are stored bare: a unit typed by hand is doubled, as before.
        {"12px", "12pxpx"},
    };
    for (const auto& [stored, written] : cases)
        EXPECT_EQ(CAttributiCatalogo::WithUnit(stored), QString(written)) << stored;
}

TEST(CAttributiCatalogo, PropertiesAndBorders)
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
