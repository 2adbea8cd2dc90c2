#include "platform/testing/TempFolder.h"
#include "platform/zip/CZipContainer.h"
#include "platform/zip/CZipDiskStore.h"
#include "platform/zip/CZipException.h"
#include "ZipTestTools.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace ZipTestTools;

namespace {

// Writes three files of random bytes (250000 in all) into a spanned archive.
void WriteSpanned(const TempFolder& dir, const QString& archive, qint64 volumeSize)
{
    dir.WriteFile("one.bin", Random(100000, 1));
    dir.WriteFile("two.bin", Random(100000, 2));
    dir.WriteFile("three.bin", Random(50000, 3));
    CZipContainer zip;
    zip.OpenContainer(archive, CZipContainer::CreateSpanned, volumeSize);
    EXPECT_EQ(zip.GetSpanMode(), 1);
    for (const char* name : {"one.bin", "two.bin", "three.bin"})
        EXPECT_TRUE(zip.AddFileEntry(dir.FilePath(name), 0, false));
    zip.CloseContainer();
}

} // namespace

TEST(CZipSpan, FixedSizeVolumesAreNumberedAndTheLastTakesTheArchiveName)
{
    TempFolder dir;
    const QString archive = dir.FilePath("set/catalogo.zip");
    QDir().mkpath(dir.FilePath("set"));
    WriteSpanned(dir, archive, 100000);

    const QStringList volumes = QDir(dir.FilePath("set")).entryList(QDir::Files, QDir::Name);
    EXPECT_EQ(volumes, QStringList({"catalogo.000", "catalogo.001", "catalogo.zip"}));
    for (const QString& v : volumes)
        EXPECT_LE(QFileInfo(dir.FilePath("set/" + v)).size(), 100000) << v.toStdString();
    EXPECT_TRUE(dir.ReadFile("set/catalogo.000").startsWith(QByteArray("PK\x07\x08", 4)));

    CZipContainer zip;
    zip.OpenContainer(archive, CZipContainer::OpenExisting);
    EXPECT_EQ(zip.GetSpanMode(), -1);
    EXPECT_FALSE(zip.AddFileEntry(dir.FilePath("one.bin"), 0, false)) << "a spanned archive is read only";
    for (int i = 0; i < zip.CountEntries(); ++i)
        ASSERT_TRUE(zip.ExtractEntry(i, dir.FilePath("out"), true));
    zip.CloseContainer();
    for (const char* name : {"one.bin", "two.bin", "three.bin"})
        EXPECT_EQ(dir.ReadFile(QStringLiteral("out/") + name), dir.ReadFile(name)) << name;

    // Info-ZIP names the same volumes .z01, .z02 ... and joins them.
    QFile::copy(dir.FilePath("set/catalogo.000"), dir.FilePath("set/info.z01"));
    QFile::copy(dir.FilePath("set/catalogo.001"), dir.FilePath("set/info.z02"));
    QFile::copy(archive, dir.FilePath("set/info.zip"));
    const ToolRun joined = Command("zip", {"-q", "-s", "0", "info.zip", "--out", "joined.zip"}, dir.FilePath("set"));
    ASSERT_EQ(joined.exitCode, 0) << joined.output.toStdString();
    const ToolRun test = Command("unzip", {"-t", dir.FilePath("set/joined.zip")});
    EXPECT_EQ(test.exitCode, 0) << test.output.toStdString();
}

TEST(CZipSpan, AnArchiveThatFitsOneVolumeIsPlain)
{
    TempFolder dir;
    const QString archive = dir.FilePath("small.zip");
    WriteSpanned(dir, archive, 1000000);
    EXPECT_FALSE(dir.Exists("small.000"));
    EXPECT_TRUE(dir.ReadFile("small.zip").startsWith(QByteArray("PK\x03\x04", 4)));
    const ToolRun test = Command("unzip", {"-t", archive});
    EXPECT_EQ(test.exitCode, 0) << test.output.toStdString();
}

TEST(CZipSpan, VolumesMadeByZipAreReadHere)
{
    TempFolder dir;
    dir.WriteFile("big.bin", Random(150000, 5));
    dir.WriteFile("small.txt", "ciao");
    const ToolRun made = Command("zip", {"-q", "-s", "64k", "split.zip", "big.bin", "small.txt"}, dir.Path());
    ASSERT_EQ(made.exitCode, 0) << made.output.toStdString();
    ASSERT_TRUE(dir.Exists("split.z01"));
    QFile::rename(dir.FilePath("split.z01"), dir.FilePath("split.000"));
    QFile::rename(dir.FilePath("split.z02"), dir.FilePath("split.001"));

    CZipContainer zip;
    zip.OpenContainer(dir.FilePath("split.zip"), CZipContainer::OpenReadOnly);
    for (int i = 0; i < zip.CountEntries(); ++i)
        ASSERT_TRUE(zip.ExtractEntry(i, dir.FilePath("out"), true));
    zip.CloseContainer();
    EXPECT_EQ(dir.ReadFile("out/big.bin"), dir.ReadFile("big.bin"));
    EXPECT_EQ(dir.ReadFile("out/small.txt"), "ciao");
}

TEST(CZipSpan, AMissingVolumeAndRemovableDisksAreErrors)
{
    TempFolder dir;
    const QString archive = dir.FilePath("gap.zip");
    WriteSpanned(dir, archive, 100000);
    QFile::remove(dir.FilePath("gap.001"));
    CZipContainer zip;
    try {
        zip.OpenContainer(archive, CZipContainer::OpenReadOnly);
        FAIL() << "opened without its middle volume";
    } catch (const CZipException& e) {
        EXPECT_EQ(e.GetCause(), CZipException::FileError);
    }
    try {
        zip.OpenContainer(dir.FilePath("disks.zip"), CZipContainer::CreateSpanned, 0);
        FAIL() << "removable disks need a volume-change dialogue";
    } catch (const CZipException& e) {
        EXPECT_EQ(e.GetCause(), CZipException::NoVolumeCallback);
    }
}
