#include "desktop/shell/projects/CRecentProjects.h"
#include "platform/testing/TempFolder.h"

#include <QSettings>

#include <gtest/gtest.h>

namespace {

struct RecentCase
{
    const char* name;
    QStringList before;        // Project1 .. ProjectN
    QString folder;
    bool add;                  // false: remove
    QStringList after;
};

void PrintTo(const RecentCase& c, std::ostream* os) { *os << c.name; }

class RecentProjectsTest : public ::testing::TestWithParam<RecentCase>
{
protected:
    TempFolder m_folder;
    QSettings m_settings{m_folder.FilePath(QStringLiteral("s.ini")), QSettings::IniFormat};
};

TEST_P(RecentProjectsTest, KeepsOrderLimitAndContiguity)
{
    const RecentCase& c = GetParam();
    for (int i = 0; i < c.before.size(); ++i)
        m_settings.setValue(QStringLiteral("LRUProjects/Project%1").arg(i + 1), c.before.at(i));
    CRecentProjects recent(m_settings);
    if (c.add)
        recent.Add(c.folder);
    else
        recent.Remove(c.folder);
    EXPECT_EQ(recent.Entries(), c.after);
    // Nothing is left beyond the last entry, so the values stay contiguous.
    for (int i = c.after.size() + 1; i <= 4; ++i)
        EXPECT_FALSE(m_settings.contains(QStringLiteral("LRUProjects/Project%1").arg(i))) << i;
    // The same list read back through a fresh settings object.
    QSettings again(m_settings.fileName(), QSettings::IniFormat);
    EXPECT_EQ(CRecentProjects(again).Entries(), c.after);
}

const QStringList kFour = {"/p/a", "/p/b", "/p/c", "/p/d"};

INSTANTIATE_TEST_SUITE_P(
    Cases, RecentProjectsTest,
    ::testing::Values(
        RecentCase{"FirstIntoEmptyList", {}, "/p/a", true, {"/p/a"}},
        RecentCase{"AppendsWhileRoom", {"/p/a", "/p/b"}, "/p/c", true, {"/p/a", "/p/b", "/p/c"}},
        RecentCase{"FifthDropsOldest", kFour, "/p/e", true, {"/p/b", "/p/c", "/p/d", "/p/e"}},
        RecentCase{"OldestOfFourMovesToNewest", kFour, "/p/a", true, {"/p/b", "/p/c", "/p/d", "/p/a"}},
        RecentCase{"MiddleMovesToNewest", kFour, "/p/b", true, {"/p/a", "/p/c", "/p/d", "/p/b"}},
        RecentCase{"NewestStays", kFour, "/p/d", true, kFour},
        RecentCase{"ComparisonIsExact", {"/p/a"}, "/p/A", true, {"/p/a", "/p/A"}},
        RecentCase{"RemoveMiddleOfThree", {"/p/a", "/p/b", "/p/c"}, "/p/b", false, {"/p/a", "/p/c"}},
        RecentCase{"RemoveNewest", {"/p/a", "/p/b"}, "/p/b", false, {"/p/a"}},
        RecentCase{"RemoveOnly", {"/p/a"}, "/p/a", false, {}},
        RecentCase{"RemoveUnknown", {"/p/a", "/p/b"}, "/p/x", false, {"/p/a", "/p/b"}},
        RecentCase{"RemoveFromEmpty", {}, "/p/x", false, {}}),
    [](const ::testing::TestParamInfo<RecentCase>& info) { return std::string(info.param.name); });

TEST(RecentProjects, NewestIsTheHighestNumberedValuePresent)
{
    TempFolder folder;
    QSettings settings(folder.FilePath(QStringLiteral("s.ini")), QSettings::IniFormat);
    CRecentProjects recent(settings);
    EXPECT_TRUE(recent.Newest().isEmpty());
    EXPECT_TRUE(recent.NewestFirst().isEmpty());
    recent.Add(QStringLiteral("/p/a"));
    recent.Add(QStringLiteral("/p/b"));
    recent.Add(QStringLiteral("/p/c"));
    EXPECT_EQ(recent.Newest(), QStringLiteral("/p/c"));
    EXPECT_EQ(recent.NewestFirst(), (QStringList{"/p/c", "/p/b", "/p/a"}));
}

} // namespace
