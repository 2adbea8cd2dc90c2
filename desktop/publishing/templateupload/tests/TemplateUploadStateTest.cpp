#include "desktop/publishing/templateupload/CTemplateUploadState.h"
#include "platform/testing/TempFolder.h"

#include <gtest/gtest.h>

#include <QDir>

namespace {

const QDateTime kSent(QDate(2003, 3, 5), QTime(17, 4, 9, 600));

TEST(TemplateUploadState, StampsAreDayMonthYearAndTimeToTheSecond)
{
    EXPECT_EQ(CTemplateUploadState::MakeStamp(kSent), "05.03.2003 17:04:09");
    EXPECT_EQ(CTemplateUploadState::ReadStamp("05.03.2003 17:04:09"), QDateTime(QDate(2003, 3, 5), QTime(17, 4, 9)));
    for (const char* bad : {"", "05.03.2003", "31.02.2003 10:00:00", "aa.bb.cccc dd:ee:ff", "05.13.2003 10:00:00"})
        EXPECT_FALSE(CTemplateUploadState::ReadStamp(bad).isValid()) << bad;
}

// The file's own time carries milliseconds the stamp does not keep: a file
// unchanged since it was stamped is up to date all the same.
TEST(TemplateUploadState, AFileIsUpToDateWhileItsStampIsNotEarlierThanItsTime)
{
    CTemplateUploadState state;
    EXPECT_FALSE(state.IsUpToDate("/p/website/asp/a.asp", kSent));
    state.Stamp("/p/website/asp/a.asp", kSent);
    EXPECT_TRUE(state.IsUpToDate("/p/website/asp/a.asp", kSent));
    EXPECT_TRUE(state.IsUpToDate("/p/website/asp/a.asp", kSent.addSecs(-30)));
    EXPECT_FALSE(state.IsUpToDate("/p/website/asp/a.asp", kSent.addSecs(1)));
    EXPECT_FALSE(state.IsUpToDate("/p/website/asp/b.asp", kSent));
}

TEST(TemplateUploadState, TheFileHoldsLinePairsAndComesBackAsItWasWritten)
{
    TempFolder folder;
    const QString site = folder.FilePath("website");
    QDir().mkpath(site);
    CTemplateUploadState state;
    state.Stamp(site + "/asp/default.asp", kSent);
    state.Stamp(site + "/images/it/titolo è.gif", kSent.addDays(1));
    ASSERT_TRUE(state.Save(folder.FilePath("website/lastupd.qtr")));
    EXPECT_EQ(folder.ReadFile("website/lastupd.qtr"),
              (site + "/asp/default.asp\n05.03.2003 17:04:09\n" + site + "/images/it/titolo è.gif\n06.03.2003 17:04:09\n")
                  .toUtf8());

    CTemplateUploadState read;
    read.Stamp("/altro", kSent);
    read.Load(folder.FilePath("website/lastupd.qtr"), site);
    EXPECT_EQ(read.Paths(), state.Paths());
    EXPECT_TRUE(read.IsUpToDate(site + "/images/it/titolo è.gif", kSent.addDays(1)));
}

// A path without its stamp line has an empty stamp, which is never up to
// date; paths that no site path answers to are left out.
TEST(TemplateUploadState, ReadingKeepsOnlyTheSitesFoldersAndToleratesAMissingStamp)
{
    TempFolder folder;
    const QString site = folder.FilePath("website");
    folder.WriteFile("website/lastupd.qtr", (site + "/images/logo.gif\r\n05.03.2003 17:04:09\r\n"
                                             "/altrove/website/asp/a.asp\n05.03.2003 17:04:09\n" +
                                             site + "/db/x.mdb\n05.03.2003 17:04:09\n" +
                                             site + "/asp/../../fuori.asp\n05.03.2003 17:04:09\n" +
                                             site + "/asp/ultima.asp")
                                                .toUtf8());
    CTemplateUploadState state;
    state.Load(folder.FilePath("website/lastupd.qtr"), site);
    EXPECT_EQ(state.Paths(), QStringList({site + "/asp/ultima.asp", site + "/images/logo.gif"}));
    EXPECT_EQ(state.StampOf(site + "/asp/ultima.asp"), "");
    EXPECT_FALSE(state.IsUpToDate(site + "/asp/ultima.asp", kSent));
    EXPECT_TRUE(state.IsUpToDate(site + "/images/logo.gif", kSent));

    state.Load(folder.FilePath("website/nessuno.qtr"), site);
    EXPECT_TRUE(state.IsEmpty());
}

} // namespace
