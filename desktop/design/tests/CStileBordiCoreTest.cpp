#include "desktop/design/CStileBordiCore.h"

#include <gtest/gtest.h>

namespace {

using Controls = CStileBordiCore::Controls;

CStileBordiCore Loaded()
{
    CStileBordiCore bordi;
    bordi.Set(10, "1");
    bordi.Set(11, "solid");
    bordi.Set(12, "#FF0000");
    bordi.Set(17, "dotted");
    return bordi;
}

TEST(StileBordiCore, NoSideIsChosenAtFirstAndEditsThenReachNoSide)
{
    CStileBordiCore bordi = Loaded();
    EXPECT_EQ(bordi.ChosenSide(), -1);
    EXPECT_FALSE(bordi.AllSameEnabled());
    bordi.SetWidth("9");
    EXPECT_EQ(bordi.Get(10), "1");
    EXPECT_EQ(bordi.Get(13), "");
}

TEST(StileBordiCore, ChoosingASideStoresTheOneBeforeAndShowsTheNew)
{
    CStileBordiCore bordi = Loaded();
    bordi.ChooseSide(0);
    EXPECT_EQ(bordi.GetControls(), (Controls{"1", "solid", "#FF0000"}));
    EXPECT_TRUE(bordi.AllSameEnabled());
    bordi.SetWidth("3");
    bordi.SetStyle("dashed");
    bordi.SetColour("");
    bordi.ChooseSide(2);
    EXPECT_EQ(bordi.GetControls(), (Controls{"", "dotted", ""}));
    EXPECT_EQ(bordi.Get(10), "3");
    EXPECT_EQ(bordi.Get(11), "dashed");
    EXPECT_EQ(bordi.Get(12), "");
}

TEST(StileBordiCore, ReadingAnyBorderAttributeTakesInTheControls)
{
    CStileBordiCore bordi = Loaded();
    bordi.ChooseSide(3);
    bordi.SetColour("#00ff00");
    EXPECT_EQ(bordi.Get(10), "1");   // another side: the chosen one is stored all the same
    EXPECT_EQ(bordi.Get(21), "#00FF00");
}

TEST(StileBordiCore, TuttiUgualiGivesTheChosenSideToAllFour)
{
    CStileBordiCore bordi = Loaded();
    bordi.ChooseSide(0);
    bordi.SetWidth("4");
    bordi.AllSame();
    for (int side = 0; side < 4; ++side) {
        EXPECT_EQ(bordi.Get(10 + 3 * side), "4") << side;
        EXPECT_EQ(bordi.Get(11 + 3 * side), "solid") << side;
        EXPECT_EQ(bordi.Get(12 + 3 * side), "#FF0000") << side;
    }
    EXPECT_EQ(bordi.ChosenSide(), 0);
}

TEST(StileBordiCore, SettingAnAttributeResetsTheControls)
{
    CStileBordiCore bordi = Loaded();
    bordi.ChooseSide(1);
    bordi.SetWidth("5");
    bordi.Set(13, "6");
    EXPECT_EQ(bordi.ChosenSide(), -1);
    EXPECT_FALSE(bordi.AllSameEnabled());
    EXPECT_EQ(bordi.GetControls(), Controls());
    EXPECT_EQ(bordi.Get(13), "6");   // the typed 5 never reached the side
}

TEST(StileBordiCore, StylesOutsideTheListAndBadColoursShowAsNothing)
{
    CStileBordiCore bordi;
    bordi.Set(11, "Solid");
    bordi.Set(12, "blu");
    bordi.ChooseSide(0);
    EXPECT_EQ(bordi.GetControls(), (Controls{"", "", ""}));
    bordi.ChooseSide(1);
    EXPECT_EQ(bordi.Get(11), "");
    EXPECT_EQ(bordi.Get(12), "");
}

} // namespace
