#include "platform/testing/TempFolder.h"
#include "platform/zip/CZipContainer.h"
#include "platform/zip/CZipDirectoryIndex.h"
#include "platform/zip/CZipException.h"
#include "ZipTestTools.h"

#include <QFile>

#include <functional>
#include <set>

#include <gtest/gtest.h>

namespace {

using Index = CZipDirectoryIndex;

// A sound archive of two deflated entries, as the damage starts from.
QByteArray SoundArchive(const TempFolder& dir)
{
    dir.WriteFile("a.txt", QByteArray("Quintaro ").repeated(3000));
    dir.WriteFile("b.bin", ZipTestTools::Random(4000, 11));
    CZipContainer zip;
    zip.OpenContainer(dir.FilePath("sound.zip"), CZipContainer::Create);
    zip.AddFileEntry(dir.FilePath("a.txt"), 6, false);
    zip.AddFileEntry(dir.FilePath("b.bin"), 6, false);
    zip.CloseContainer();
    return dir.ReadFile("sound.zip");
}

int EndAt(const QByteArray& z) { return int(z.lastIndexOf(QByteArray("PK\x05\x06", 4))); }
int CentralAt(const QByteArray& z) { return int(Index::U32(z, EndAt(z) + 16)); }

struct DamageCase
{
    const char* label;
    std::function<QByteArray(QByteArray)> damage;
    std::set<int> causes; // what a reader may fairly answer
};

// Opens the archive and extracts every entry, as the template editor's
// import does; the first error is the answer.
int ReadEverything(const TempFolder& dir, const QByteArray& bytes)
{
    dir.WriteFile("damaged.zip", bytes);
    CZipContainer zip;
    try {
        zip.OpenContainer(dir.FilePath("damaged.zip"), CZipContainer::OpenReadOnly);
        for (int i = 0; i < zip.CountEntries(); ++i)
            zip.ExtractEntry(i, dir.FilePath("out"), true);
        zip.CloseContainer();
    } catch (const CZipException& e) {
        zip.CloseContainer(true);
        EXPECT_FALSE(e.GetText().isEmpty());
        return e.GetCause();
    }
    return 0;
}

class DamagedArchive : public ::testing::TestWithParam<DamageCase>
{
};

} // namespace

TEST_P(DamagedArchive, GivesItsCauseAndWritesNoHalfFile)
{
    TempFolder dir;
    const QByteArray damaged = GetParam().damage(SoundArchive(dir));
    const int cause = ReadEverything(dir, damaged);
    EXPECT_TRUE(GetParam().causes.count(cause)) << "cause " << cause;
    // An entry that failed its check is not left behind half written.
    if (dir.Exists("out/a.txt")) {
        EXPECT_EQ(dir.ReadFile("out/a.txt"), dir.ReadFile("a.txt"));
    }
    if (dir.Exists("out/b.bin")) {
        EXPECT_EQ(dir.ReadFile("out/b.bin"), dir.ReadFile("b.bin"));
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, DamagedArchive, ::testing::Values(
    // No end record at all: not an archive.
    DamageCase{"EmptyFile", [](QByteArray) { return QByteArray(); }, {CZipException::NoEndRecord}},
    DamageCase{"PlainText", [](QByteArray) { return QByteArray("Listino prezzi\n").repeated(100); },
               {CZipException::NoEndRecord}},
    DamageCase{"EndRecordGone", [](QByteArray z) { return z.left(EndAt(z)); }, {CZipException::NoEndRecord}},
    // The record is there but cut, or contradicts itself.
    DamageCase{"EndRecordCut", [](QByteArray z) { return z.left(z.size() - 10); }, {CZipException::Damaged}},
    DamageCase{"EntriesWithoutDirectory",
               [](QByteArray z) { Index::Put32(z, EndAt(z) + 12, 0); return z; }, {CZipException::Damaged}},
    DamageCase{"CountTooHigh",
               [](QByteArray z) { Index::Put16(z, EndAt(z) + 8, 3); Index::Put16(z, EndAt(z) + 10, 3); return z; },
               {CZipException::Damaged}},
    DamageCase{"DirectoryOffsetPastEnd",
               [](QByteArray z) { Index::Put32(z, EndAt(z) + 16, 0x7FFFFF00); return z; },
               {CZipException::Damaged, CZipException::NoEndRecord}},
    // Entry data cut out of the middle.
    DamageCase{"EntryDataCut", [](QByteArray z) { return z.remove(200, 300); },
               {CZipException::Damaged, CZipException::NoEndRecord}},
    DamageCase{"LocalSignatureBroken", [](QByteArray z) { z[0] = 'X'; return z; }, {CZipException::Damaged}},
    DamageCase{"UnknownMethod",
               [](QByteArray z) { Index::Put16(z, 8, 99); Index::Put16(z, CentralAt(z) + 10, 99); return z; },
               {CZipException::Damaged}},
    // The data itself altered: the inflater or the CRC notices.
    DamageCase{"DeflatedBytesAltered",
               [](QByteArray z) {
                   // Inside the second entry's data, far from its headers.
                   const int middle = int(Index::U32(z, CentralAt(z) + 20)) / 2 + 200;
                   for (int i = middle; i < middle + 30; ++i)
                       z[i] = char(~z[i]);
                   return z;
               },
               {CZipException::BadData, CZipException::BadCrc}},
    DamageCase{"CrcAltered",
               [](QByteArray z) {
                   Index::Put32(z, 14, 0x12345678);
                   Index::Put32(z, CentralAt(z) + 16, 0x12345678);
                   return z;
               },
               {CZipException::BadCrc}},
    DamageCase{"SizesAltered",
               [](QByteArray z) {
                   Index::Put32(z, 22, 10);
                   Index::Put32(z, CentralAt(z) + 24, 10);
                   return z;
               },
               {CZipException::BadCrc, CZipException::Damaged, CZipException::BadData}}),
    [](const auto& info) { return std::string(info.param.label); });
