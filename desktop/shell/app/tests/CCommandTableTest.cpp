#include "desktop/shell/app/CCommandTable.h"
#include "desktop/shell/app/CTindaMenu.h"
#include "desktop/shell/app/TindaCommandIds.h"

#include <QSet>

#include <gtest/gtest.h>

namespace {

struct RuleCase
{
    const char* name;
    CommandRule rule;
    CommandState state;
    bool enabled;
};

class CommandRules : public ::testing::TestWithParam<RuleCase> {};

TEST_P(CommandRules, JudgeTheProgramState)
{
    EXPECT_EQ(CCommandTable::RuleAllows(GetParam().rule, GetParam().state), GetParam().enabled);
}

// state: project open, editor open, cdviewer present
INSTANTIATE_TEST_SUITE_P(
    Table, CommandRules,
    ::testing::Values(RuleCase{"AlwaysWithoutProject", CommandRule::Always, {false, false, false}, true},
                      RuleCase{"AlwaysWithEditor", CommandRule::Always, {true, true, false}, true},
                      RuleCase{"ProjectWithoutProject", CommandRule::Project, {false, false, true}, false},
                      RuleCase{"ProjectOpen", CommandRule::Project, {true, false, false}, true},
                      RuleCase{"ProjectWithEditor", CommandRule::Project, {true, true, false}, false},
                      RuleCase{"NoViewWithoutProject", CommandRule::NoViewOpen, {false, false, false}, true},
                      RuleCase{"NoViewWithProject", CommandRule::NoViewOpen, {true, false, false}, true},
                      RuleCase{"NoViewWithEditor", CommandRule::NoViewOpen, {true, true, false}, false},
                      RuleCase{"CdWithoutViewer", CommandRule::ProjectAndCdViewer, {true, false, false}, false},
                      RuleCase{"CdWithViewer", CommandRule::ProjectAndCdViewer, {true, false, true}, true},
                      RuleCase{"CdWithEditor", CommandRule::ProjectAndCdViewer, {true, true, true}, false},
                      RuleCase{"CdWithoutProject", CommandRule::ProjectAndCdViewer, {false, false, true}, false}),
    [](const ::testing::TestParamInfo<RuleCase>& info) { return std::string(info.param.name); });

class CommandTable : public ::testing::Test
{
protected:
    void TearDown() override
    {
        for (int id : {int(ID_LINGUE), 40001})
            CCommandTable::Instance().Unregister(id);
    }
};

TEST_F(CommandTable, RegistrationTakesCaptionAndPlaceFromTheMenu)
{
    CCommandInfo info;
    info.nId = ID_LINGUE;
    info.run = [] {};
    CCommandTable::Instance().Register(info);

    const CCommandInfo* stored = CCommandTable::Instance().Find(ID_LINGUE);
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->strCaption, QStringLiteral("&Lingue"));
    EXPECT_EQ(stored->strPopup, QStringLiteral("&Configurazione"));
    EXPECT_EQ(stored->rule, CommandRule::Project);
}

TEST_F(CommandTable, RegistrationKeepsItsOwnCaptionAndPlace)
{
    CCommandInfo info;
    info.nId = 40001;
    info.strCaption = QStringLiteral("Voce");
    info.strPopup = QStringLiteral("&Aiuto");
    info.rule = CommandRule::Always;
    CCommandTable::Instance().Register(info);

    const CCommandInfo* stored = CCommandTable::Instance().Find(40001);
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->strCaption, QStringLiteral("Voce"));
    EXPECT_EQ(stored->strPopup, QStringLiteral("&Aiuto"));
}

TEST_F(CommandTable, UnregisteredCommandIsNeverEnabled)
{
    EXPECT_FALSE(CCommandTable::Instance().Contains(ID_LINGUE));
    EXPECT_FALSE(CCommandTable::Instance().IsEnabled(ID_LINGUE, {true, false, true}));
}

TEST(TindaMenu, EveryCommandHasOnePlace)
{
    QSet<int> seen;
    for (const CTindaMenu::Item& item : CTindaMenu::Items()) {
        const QString top = item.strPopup.section(QLatin1Char('/'), 0, 0);
        EXPECT_TRUE(CTindaMenu::Popups().contains(top)) << item.strPopup.toStdString();
        if (item.nId == 0)
            continue;
        EXPECT_FALSE(seen.contains(item.nId)) << item.nId;
        seen.insert(item.nId);
    }
    ASSERT_NE(CTindaMenu::Find(ID_ARCHIVIO_PRODOTTI), nullptr);
    EXPECT_EQ(CTindaMenu::Find(ID_ARCHIVIO_PRODOTTI)->strPopup, QStringLiteral("Ca&talogo/Prodotti"));
    EXPECT_EQ(CTindaMenu::Find(ID_VOCE), nullptr);
}

} // namespace
