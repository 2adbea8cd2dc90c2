#include "desktop/shell/app/CLanguageList.h"
#include "desktop/shell/app/tests/TestProject.h"
#include "platform/dao/CDaoDatabase.h"

#include <gtest/gtest.h>

namespace {

class LanguageList : public ::testing::Test
{
protected:
    void Load(const QVector<TestProject::Language>& languages, qint32 defaultId, bool expected = true)
    {
        project.SetLanguages(languages, defaultId);
        database.Open(project.DatabasePath());
        EXPECT_EQ(list.LoadLanguages(database), expected);
        database.Close();
    }

    QStringList Texts() const
    {
        QStringList texts;
        for (int i = 0; i < list.GetCount(); ++i)
            texts << list.GetItem(i).strText;
        return texts;
    }

    TestProject project;
    CDaoDatabase database;
    CLanguageList list;
};

TEST_F(LanguageList, ListsActiveLanguagesSortedAndSelectsTheDefault)
{
    Load({{1, "it", "italiano", true}, {2, "en", "English", true}, {3, "de", "Deutsch", false}}, 1);

    EXPECT_EQ(Texts(), (QStringList{"English", "italiano"}));
    EXPECT_EQ(list.GetCurrentLanguage(), QStringLiteral("it"));
    EXPECT_EQ(list.GetDefaultLanguage(), QStringLiteral("it"));
    EXPECT_EQ(list.GetDefaultLanguageIndex(), 1);
    EXPECT_TRUE(list.IsDefaultLanguageSelected());
}

TEST_F(LanguageList, DefaultStaysWhateverIsSelected)
{
    Load({{1, "it", "Italiano", true}, {2, "en", "English", true}}, 1);

    list.SetCurSel(0);
    EXPECT_EQ(list.GetCurrentLanguage(), QStringLiteral("en"));
    EXPECT_EQ(list.GetDefaultLanguage(), QStringLiteral("it"));
    EXPECT_FALSE(list.IsDefaultLanguageSelected());

    list.SelectDefaultLanguage();
    EXPECT_EQ(list.GetCurrentLanguage(), QStringLiteral("it"));
}

// Once the last language is deactivated, none of the languages listed
// before may still be offered or answered as current or default.
TEST_F(LanguageList, NoActiveLanguageLeavesNothingOfTheOldList)
{
    Load({{1, "it", "Italiano", true}}, 1);
    Load({{1, "it", "Italiano", false}}, 1, false);

    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.GetCurSel(), -1);
    EXPECT_EQ(list.GetCurrentLanguage(), QString());
    EXPECT_EQ(list.GetDefaultLanguage(), QString());
}

TEST_F(LanguageList, DefaultAmongInactiveFallsBackToTheFirstItem)
{
    Load({{1, "it", "Italiano", false}, {2, "fr", "Français", true}, {3, "en", "English", true}}, 1);

    EXPECT_EQ(list.GetDefaultLanguage(), QStringLiteral("en"));
    EXPECT_EQ(list.GetCurrentLanguage(), QStringLiteral("en"));
}

TEST_F(LanguageList, EmptyListAnswersEmptyCodes)
{
    EXPECT_EQ(list.GetCurrentLanguage(), QString());
    EXPECT_EQ(list.GetDefaultLanguage(), QString());
    EXPECT_FALSE(list.IsDefaultLanguageSelected());

    Load({{1, "it", "Italiano", true}}, 1);
    list.ResetLanguages();
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.GetCurrentLanguage(), QString());
}

} // namespace
