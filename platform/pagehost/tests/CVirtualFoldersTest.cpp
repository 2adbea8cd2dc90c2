#include "platform/pagehost/CVirtualFolders.h"
#include "platform/testing/TempFolder.h"

#include "platform/testing/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

class CVirtualFoldersTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        temp.WriteFile("website/asp/default.asp", "page");
        temp.WriteFile("website/asp/Blocchi/Testata.inc", "block");
        temp.WriteFile("website/images/logo.gif", "gif");
        temp.WriteFile("db/database.mdb", "db");
        temp.WriteFile("db/a.htm", "in db");
        temp.WriteFile("website/secret.txt", "outside");
        folders.SetRootDir(Root());
        folders.AddVirtualDir("/images", temp.FilePath("website/images"));
        folders.AddVirtualDir("/db", temp.FilePath("db"));
    }
    QString Root() const { return temp.FilePath("website/asp"); }

    TempFolder temp;
    CVirtualFolders folders;
};

TEST_F(CVirtualFoldersTest, VirtualPathsStayInLengthOrder)
{
    folders.AddVirtualDir("/abc", "/x");
    EXPECT_EQ(folders.VirtualPaths(), QStringList({"/db", "/abc", "/images"}));
    EXPECT_EQ(folders.Folders().at(1), "/x");
}

struct TargetCase
{
    const char* path;
    const char* file;   // relative to the temporary folder; empty: no file
};

class CVirtualFoldersTargets : public CVirtualFoldersTest, public ::testing::WithParamInterface<TargetCase>
{};

TEST_P(CVirtualFoldersTargets, TargetsMapOntoFilesInsideTheirFolder)
{
    const QString mapped = folders.MapTarget(GetParam().path);
    const QString expected = *GetParam().file ? temp.FilePath(GetParam().file) : QString();
    EXPECT_EQ(mapped, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CVirtualFoldersTargets,
    ::testing::Values(TargetCase{"/default.asp", "website/asp/default.asp"},
                      TargetCase{"/DEFAULT.asp", "website/asp/default.asp"},
                      TargetCase{"/blocchi/testata.INC", "website/asp/Blocchi/Testata.inc"},
                      TargetCase{"/db/database.mdb", "db/database.mdb"},
                      TargetCase{"/DB/a.htm", "db/a.htm"},
                      TargetCase{"/dbx/a.htm", ""},
                      TargetCase{"/images/logo.gif", "website/images/logo.gif"},
                      TargetCase{"/images/../asp/default.asp", ""},
                      TargetCase{"/../secret.txt", ""},
                      TargetCase{"/..\\secret.txt", ""},
                      TargetCase{"/db/../website/secret.txt", ""},
                      TargetCase{"/db", ""},
                      TargetCase{"/missing.htm", ""}));

TEST_F(CVirtualFoldersTest, MapPathGivesFoldersAndPathsWithoutCheckingThem)
{
    EXPECT_EQ(folders.MapPath("/db"), temp.FilePath("db"));
    EXPECT_EQ(folders.MapPath("/images/a.gif"), temp.FilePath("website/images/a.gif"));
    EXPECT_EQ(folders.MapPath("a.htm"), Root() + "/a.htm");
    EXPECT_EQ(folders.MapPath("\\sub\\a.htm"), Root() + "/sub/a.htm");
    EXPECT_EQ(folders.MapPath("/dbx"), Root() + "/dbx");
    EXPECT_TRUE(folders.MapPath("/db/../../x").isEmpty());
}

TEST_F(CVirtualFoldersTest, RootFilesRefuseClimbingOut)
{
    EXPECT_EQ(folders.MapRootFile("blocchi\\testata.inc"), temp.FilePath("website/asp/Blocchi/Testata.inc"));
    EXPECT_TRUE(folders.MapRootFile("../secret.txt").isEmpty());
}

} // namespace
