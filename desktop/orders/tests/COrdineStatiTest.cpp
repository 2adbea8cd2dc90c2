#include "desktop/orders/COrdineStati.h"

#include <gtest/gtest.h>

namespace {

using Entry = COrdineStati::Entry;

struct ReadCase
{
    const char* name;
    QString stored;
    QList<Entry> entries;
    QString rewritten;   // what writing the entries back gives
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

class StatiReadTest : public ::testing::TestWithParam<ReadCase>
{
};

TEST_P(StatiReadTest, ReadsAndWritesBack)
{
    const ReadCase& c = GetParam();
    EXPECT_EQ(COrdineStati::Parse(c.stored), c.entries);
    EXPECT_EQ(COrdineStati::Build(c.entries), c.rewritten);
}

QList<Entry> Repeated(const QList<Entry>& entries, int times)
{
    QList<Entry> all;
    for (int i = 0; i < times; ++i)
        all += entries;
    return all;
}

const QString kTwo = QStringLiteral("07/03/2004#10:15#Spedito|08/03/2004#09:00#Consegnato|");

INSTANTIATE_TEST_SUITE_P(
    Stati, StatiReadTest,
    ::testing::Values(
        ReadCase{"Two", kTwo,
                 {{"07/03/2004", "10:15", "Spedito"}, {"08/03/2004", "09:00", "Consegnato"}}, kTwo},
        ReadCase{"Empty", QString(), {}, QString()},
        // The shop reads a "#" in the state text as part of it.
        ReadCase{"HashInText", QStringLiteral("01/02/2024#08:00#DDT #12|"),
                 {{"01/02/2024", "08:00", "DDT #12"}}, QStringLiteral("01/02/2024#08:00#DDT #12|")},
        // A stored entry cut short still ends the reading.
        ReadCase{"NoClosingBar", QStringLiteral("01/02/2024#08:00#Spedito"),
                 {{"01/02/2024", "08:00", "Spedito"}}, QStringLiteral("01/02/2024#08:00#Spedito|")},
        ReadCase{"NoHash", QStringLiteral("Ricevuto|"), {{"Ricevuto", "", ""}}, QStringLiteral("Ricevuto##|")},
        // A long history is kept whole: the column has no length limit.
        ReadCase{"LongHistory", QString(kTwo).repeated(400),
                 Repeated({{"07/03/2004", "10:15", "Spedito"}, {"08/03/2004", "09:00", "Consegnato"}}, 400),
                 QString(kTwo).repeated(400)}),
    [](const ::testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.name); });

// Separators typed into a field never split the history on the next read.
struct WriteCase
{
    const char* name;
    Entry typed;
    Entry readBack;
};

void PrintTo(const WriteCase& c, std::ostream* os) { *os << c.name; }

class StatiWriteTest : public ::testing::TestWithParam<WriteCase>
{
};

TEST_P(StatiWriteTest, OneEntryReadsBackAsOne)
{
    const WriteCase& c = GetParam();
    const QList<Entry> back = COrdineStati::Parse(COrdineStati::Build({c.typed, {"02/01/2024", "09:00", "Dopo"}}));
    ASSERT_EQ(back.size(), 2);
    EXPECT_EQ(back.at(0), c.readBack);
    EXPECT_EQ(back.at(1), Entry({"02/01/2024", "09:00", "Dopo"}));
}

INSTANTIATE_TEST_SUITE_P(
    Stati, StatiWriteTest,
    ::testing::Values(WriteCase{"BarInText", {"01/01/2024", "10:00", "A|B"}, {"01/01/2024", "10:00", "A/B"}},
                      WriteCase{"BarInDate", {"01|01/2024", "10:00", "A"}, {"01/01/2024", "10:00", "A"}},
                      WriteCase{"HashInTime", {"01/01/2024", "10#00", "A"}, {"01/01/2024", "10 00", "A"}},
                      WriteCase{"HashInText", {"01/01/2024", "10:00", "n#1"}, {"01/01/2024", "10:00", "n#1"}}),
    [](const ::testing::TestParamInfo<WriteCase>& info) { return std::string(info.param.name); });

TEST(StatiTyped, TypedSeparatorsAreReplaced)
{
    const Entry e = COrdineStati::Stamped(QStringLiteral("Spedito | DDT #4"), QDateTime(QDate(2024, 3, 7), QTime(9, 5)));
    EXPECT_EQ(e, Entry({"07/03/2024", "09:05", "Spedito / DDT n.4"}));
}

struct PositionCase
{
    const char* name;
    int current, count, expected;
};

void PrintTo(const PositionCase& c, std::ostream* os) { *os << c.name; }

class StatiPositionTest : public ::testing::TestWithParam<PositionCase>
{
};

TEST_P(StatiPositionTest, NewEntryGoesAfterTheCurrentRow)
{
    EXPECT_EQ(COrdineStati::InsertPosition(GetParam().current, GetParam().count), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Stati, StatiPositionTest,
                         ::testing::Values(PositionCase{"SecondOfFourGoesThird", 1, 4, 2},
                                           PositionCase{"LastIsAppended", 3, 4, 4},
                                           PositionCase{"NoneIsAppended", -1, 4, 4},
                                           PositionCase{"EmptyGrid", -1, 0, 0}),
                         [](const ::testing::TestParamInfo<PositionCase>& info) { return std::string(info.param.name); });

} // namespace
