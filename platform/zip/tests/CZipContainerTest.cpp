#include "platform/testing/TempFolder.h"
#include "platform/zip/CZipContainer.h"
#include "platform/zip/CZipException.h"
#include "ZipTestTools.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace ZipTestTools;

namespace {

// Extracts every entry with full paths into `folder`.
void ExtractAll(CZipContainer& zip, const QString& folder)
{
    for (int i = 0; i < zip.CountEntries(); ++i)
        ASSERT_TRUE(zip.ExtractEntry(i, folder, true)) << i;
}

const char* const CheckWithPython = R"(
import sys, zipfile
z = zipfile.ZipFile(sys.argv[1])
for info in z.infolist():
    data = z.read(info, pwd=sys.argv[2].encode() if len(sys.argv) > 2 else None)
    utf8 = bool(info.flag_bits & 0x800)
    print(info.filename, len(data), info.compress_type, int(utf8), sep='|')
)";

} // namespace

TEST(CZipContainer, ArchivesWrittenHereAreReadByUnzipAndPython)
{
    TempFolder dir;
    dir.WriteFile("src/notes.txt", QByteArray("alpha\nbeta\n").repeated(500));
    dir.WriteFile("src/photo.jpg", Random(200000, 7));
    dir.WriteFile(QStringLiteral("src/caffè.txt"), "espresso");
    const QString archive = dir.FilePath("out.zip");

    CZipContainer zip;
    zip.OpenContainer(archive, CZipContainer::Create);
    ASSERT_TRUE(zip.AddFileEntry(dir.FilePath("src/notes.txt"), -1, false));
    ASSERT_TRUE(zip.AddFileEntry(dir.FilePath("src/photo.jpg"), 0, false));
    ASSERT_TRUE(zip.AddFileEntry(dir.FilePath(QStringLiteral("src/caffè.txt")), 9, false));
    zip.CloseContainer();

    const ToolRun test = Command("unzip", {"-t", archive});
    EXPECT_EQ(test.exitCode, 0) << test.output.toStdString();
    const ToolRun python = Python(CheckWithPython, {archive});
    ASSERT_EQ(python.exitCode, 0) << python.output.toStdString();
    // Stored at level 0, deflated otherwise; the non-ASCII name carries the
    // UTF-8 flag so every reader shows it as it was.
    EXPECT_EQ(python.output.trimmed().split('\n'),
              QStringList({"notes.txt|5500|8|0", "photo.jpg|200000|0|0", QStringLiteral("caffè.txt|8|8|1")}));
}

TEST(CZipContainer, ArchivesMadeByZipAreReadHere)
{
    TempFolder dir;
    dir.WriteFile("tree/asp/default.asp", "<% Response.Write(1) %>");
    dir.WriteFile("tree/images/logo.gif", Random(5000, 3));
    ASSERT_EQ(Command("zip", {"-r", "-q", "made.zip", "tree"}, dir.Path()).exitCode, 0);

    CZipContainer zip;
    zip.OpenContainer(dir.FilePath("made.zip"), CZipContainer::OpenReadOnly);
    ExtractAll(zip, dir.FilePath("out"));
    zip.CloseContainer();
    EXPECT_EQ(dir.ReadFile("out/tree/asp/default.asp"), dir.ReadFile("tree/asp/default.asp"));
    EXPECT_EQ(dir.ReadFile("out/tree/images/logo.gif"), dir.ReadFile("tree/images/logo.gif"));
}

TEST(CZipContainer, NamesAreReadAsCp437WithoutTheFlagAndAsUtf8WithIt)
{
    TempFolder dir;
    const QString archive = dir.FilePath("names.zip");
    // One name written in the old code page without the flag, one in UTF-8
    // with it, both meaning the same letters.
    const ToolRun made = Python(R"(
import sys, zipfile
class Cp437(zipfile.ZipInfo):
    def _encodeFilenameFlags(self):
        return self.filename.encode('cp437'), self.flag_bits
z = zipfile.ZipFile(sys.argv[1], 'w')
z.writestr(Cp437('città.txt'), b'old')
z.writestr(zipfile.ZipInfo('perché.txt'), b'new')
z.close()
)", {archive});
    ASSERT_EQ(made.exitCode, 0) << made.output.toStdString();

    CZipContainer zip;
    zip.OpenContainer(archive, CZipContainer::OpenReadOnly);
    CZipEntryInfo first, second;
    ASSERT_TRUE(zip.GetEntryInfo(first, 0));
    ASSERT_TRUE(zip.GetEntryInfo(second, 1));
    EXPECT_EQ(first.name, QStringLiteral("città.txt"));
    EXPECT_EQ(second.name, QStringLiteral("perché.txt"));
    EXPECT_EQ(zip.FindEntry(QStringLiteral("CITTÀ.TXT"), false), 0);
    ExtractAll(zip, dir.FilePath("out"));
    EXPECT_EQ(dir.ReadFile(QStringLiteral("out/città.txt")), "old");
}

TEST(CZipContainer, EncryptedEntriesRoundTripAndAWrongPasswordIsCause17)
{
    TempFolder dir;
    dir.WriteFile("secret.txt", "listino riservato");
    const QString ours = dir.FilePath("ours.zip");
    CZipContainer zip;
    zip.OpenContainer(ours, CZipContainer::Create);
    zip.SetPassword("lago2024");
    ASSERT_TRUE(zip.AddFileEntry(dir.FilePath("secret.txt"), -1, false));
    zip.CloseContainer();
    const ToolRun python = Python(CheckWithPython, {ours, "lago2024"});
    EXPECT_EQ(python.output.trimmed(), "secret.txt|17|8|0") << python.output.toStdString();

    ASSERT_EQ(Command("zip", {"-q", "-P", "lago2024", "theirs.zip", "secret.txt"}, dir.Path()).exitCode, 0);
    zip.OpenContainer(dir.FilePath("theirs.zip"), CZipContainer::OpenReadOnly);
    EXPECT_FALSE(zip.ExtractEntry(0, dir.FilePath("none"), true)) << "no password, no entry";
    zip.SetPassword("sbagliata");
    try {
        zip.ExtractEntry(0, dir.FilePath("bad"), true);
        FAIL() << "a wrong password was taken";
    } catch (const CZipException& e) {
        EXPECT_EQ(e.GetCause(), CZipException::BadPassword);
    }
    EXPECT_FALSE(dir.Exists("bad/secret.txt"));
    zip.SetPassword("lago2024");
    ASSERT_TRUE(zip.ExtractEntry(0, dir.FilePath("good"), true));
    EXPECT_EQ(dir.ReadFile("good/secret.txt"), "listino riservato");
    zip.CloseContainer();
}

// The traditional cipher lets about one wrong password in 256 past its
// check byte; those must still read as a wrong password, not as damage.
TEST(CZipContainer, EveryWrongPasswordIsCause17EvenPastTheCipherCheck)
{
    TempFolder dir;
    dir.WriteFile("secret.txt", QByteArray("listino riservato ").repeated(64));
    ASSERT_EQ(Command("zip", {"-q", "-P", "lago2024", "theirs.zip", "secret.txt"}, dir.Path()).exitCode, 0);
    CZipContainer zip;
    zip.OpenContainer(dir.FilePath("theirs.zip"), CZipContainer::OpenReadOnly);
    for (int i = 0; i < 4000; ++i) {
        const QByteArray password = "x" + QByteArray::number(i);
        zip.SetPassword(password);
        try {
            zip.ExtractEntry(0, dir.FilePath("bad"), true);
            FAIL() << "a wrong password was taken: " << password.constData();
        } catch (const CZipException& e) {
            ASSERT_EQ(e.GetCause(), CZipException::BadPassword) << password.constData();
        }
    }
    EXPECT_FALSE(dir.Exists("bad/secret.txt"));
    zip.CloseContainer();
}

TEST(CZipContainer, StreamedEntriesAndLookupsOfTheTemplateEditor)
{
    TempFolder dir;
    const QString archive = dir.FilePath("project.zip");
    CZipContainer zip;
    zip.OpenContainer(archive, CZipContainer::Create);
    CZipEntryInfo header;
    header.name = "global.asa";
    ASSERT_TRUE(zip.OpenNewEntry(header, -1));
    ASSERT_TRUE(zip.WriteNewEntryData("<script>", 8));
    ASSERT_TRUE(zip.WriteNewEntryData("</script>", 9));
    EXPECT_FALSE(zip.OpenNewEntry(header, -1)) << "one entry open at a time";
    zip.CloseNewEntry();
    ASSERT_TRUE(zip.OpenNewEntry(CZipEntryInfo(), 0)) << "a nameless entry is named after the count";
    zip.CloseNewEntry();
    zip.CloseContainer();

    zip.OpenContainer(archive, CZipContainer::OpenExisting);
    zip.SetSortedLookup(true);
    EXPECT_EQ(zip.FindEntry("GLOBAL.ASA", false), 0);
    EXPECT_EQ(zip.FindEntry("file1", true), 1);
    EXPECT_EQ(zip.FindEntry("GLOBAL.ASA", true), -1);
    CZipEntryInfo stored;
    ASSERT_TRUE(zip.GetEntryInfo(stored, 1));
    EXPECT_EQ(stored.method, 0);
    ASSERT_TRUE(zip.OpenEntryForReading(0));
    char buffer[64] = {};
    EXPECT_EQ(zip.ReadEntryData(buffer, 5), 5);
    EXPECT_EQ(zip.CloseEntryAfterReading(), -1) << "stopped before the end";
    // Adding to an existing archive keeps what it held.
    dir.WriteFile("style.css", "body{}");
    ASSERT_TRUE(zip.AddFileEntry(dir.FilePath("style.css"), -1, false));
    zip.CloseContainer();
    zip.OpenContainer(archive, CZipContainer::OpenReadOnly);
    EXPECT_EQ(zip.CountEntries(), 3);
    ASSERT_TRUE(zip.OpenEntryForReading(0));
    EXPECT_EQ(zip.ReadEntryData(buffer, sizeof buffer), 17);
    EXPECT_EQ(QByteArray(buffer, 17), "<script></script>");
    EXPECT_EQ(zip.CloseEntryAfterReading(), 1);
    zip.CloseContainer();
}

TEST(CZipContainer, AnArchiveOfNoEntriesOpensAndCountsNone)
{
    TempFolder dir;
    CZipContainer zip;
    // libzip writes nothing for an empty archive; the format's empty archive
    // is the end record alone.
    dir.WriteFile("empty.zip", QByteArray("PK\x05\x06", 4) + QByteArray(18, '\0'));
    zip.OpenContainer(dir.FilePath("empty.zip"), CZipContainer::OpenReadOnly);
    EXPECT_EQ(zip.CountEntries(), 0);
    CZipEntryInfo info;
    EXPECT_FALSE(zip.GetEntryInfo(info, 0));
    zip.CloseContainer();
}

// Names that would put a file outside the target folder; each is refused
// and nothing lands outside.
struct UnsafeCase
{
    const char* label;
    const char* name;
};

class ZipSlip : public ::testing::TestWithParam<UnsafeCase>
{
};

TEST_P(ZipSlip, IsRefusedAndWritesNothingOutside)
{
    TempFolder dir;
    const QString archive = dir.FilePath("slip.zip");
    const ToolRun made = Python(R"(
import sys, zipfile
z = zipfile.ZipFile(sys.argv[1], 'w')
info = zipfile.ZipInfo('x')
info.filename = sys.argv[2]
z.writestr(info, b'evil')
z.close()
)", {archive, QString::fromUtf8(GetParam().name)});
    ASSERT_EQ(made.exitCode, 0) << made.output.toStdString();
    QDir(dir.Path()).mkpath("target/inner");
    QFile::link(dir.Path(), dir.FilePath("target/inner/up"));

    CZipContainer zip;
    zip.OpenContainer(archive, CZipContainer::OpenReadOnly);
    for (bool fullPath : {true, false}) {
        try {
            zip.ExtractEntry(0, dir.FilePath("target/inner"), fullPath);
            if (fullPath)
                ADD_FAILURE() << "extracted " << GetParam().name;
        } catch (const CZipException& e) {
            EXPECT_EQ(e.GetCause(), CZipException::UnsafeName);
        }
    }
    zip.CloseContainer();
    EXPECT_FALSE(dir.Exists("evil.txt"));
    EXPECT_FALSE(dir.Exists("target/evil.txt"));
    EXPECT_FALSE(QFile::exists("/tmp/evil-from-zip.txt"));
}

INSTANTIATE_TEST_SUITE_P(Names, ZipSlip,
    ::testing::Values(UnsafeCase{"ParentStep", "../../evil.txt"},
                      UnsafeCase{"ParentInside", "a/../../../evil.txt"},
                      UnsafeCase{"BackslashParent", "..\\..\\evil.txt"},
                      UnsafeCase{"Absolute", "/tmp/evil-from-zip.txt"},
                      UnsafeCase{"DriveLetter", "C:/evil.txt"},
                      UnsafeCase{"DriveRelative", "c:evil.txt"},
                      UnsafeCase{"ThroughALink", "up/evil.txt"}),
    [](const auto& info) { return std::string(info.param.label); });
