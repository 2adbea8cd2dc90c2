#include "platform/pagehost/CRequestReader.h"

#include <gtest/gtest.h>

namespace {

using State = CRequestReader::State;

struct ReaderCase
{
    const char* name;
    QByteArray received;
    State state;
    qsizetype requestSize;   // of the complete request
};

class CRequestReaderCases : public ::testing::TestWithParam<ReaderCase>
{};

TEST_P(CRequestReaderCases, RequestIsWholeOnlyWithItsAnnouncedBody)
{
    CRequestReader reader;
    reader.Append(GetParam().received);
    EXPECT_EQ(reader.Check(), GetParam().state);
    if (GetParam().state == State::Complete) {
        EXPECT_EQ(reader.TakeRequest().size(), GetParam().requestSize);
    }
}

const QByteArray kGet = "GET / HTTP/1.1\r\nHost: x\r\n\r\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, CRequestReaderCases,
    ::testing::Values(
        ReaderCase{"Get", kGet, State::Complete, kGet.size()},
        ReaderCase{"GetWithoutBlankLine", "GET / HTTP/1.1\r\nHost: x\r\n", State::Incomplete, 0},
        ReaderCase{"PostNoBlank", "POST /p HTTP/1.1\r\nContent-Length:3\r\n\r\nabc", State::Complete, 41},
        ReaderCase{"PostBlanks", "POST /p HTTP/1.1\r\nContent-Length: \t 3 \r\n\r\nabc", State::Complete, 45},
        ReaderCase{"PostHeaderCase", "POST /p HTTP/1.1\r\ncontent-length: 3\r\n\r\nabc", State::Complete, 42},
        ReaderCase{"PostShortBody", "POST /p HTTP/1.1\r\nContent-Length: 5\r\n\r\nabc", State::Incomplete, 0},
        ReaderCase{"PostNoLength", "POST /p HTTP/1.1\r\n\r\n", State::Complete, 20},
        ReaderCase{"PostBadLength", "POST /p HTTP/1.1\r\nContent-Length: x\r\n\r\n", State::BadRequest, 0},
        ReaderCase{"PostNegativeLength", "POST /p HTTP/1.1\r\nContent-Length: -1\r\n\r\n", State::BadRequest, 0},
        ReaderCase{"PostTooLarge", "POST /p HTTP/1.1\r\nContent-Length: 16777217\r\n\r\n", State::BodyTooLarge, 0},
        ReaderCase{"HeadersTooLarge", "GET / HTTP/1.1\r\nX: " + QByteArray(70000, 'a'), State::HeadersTooLarge, 0},
        ReaderCase{"OtherMethod", "PUT / HTTP/1.1\r\n\r\n", State::UnsupportedMethod, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CRequestReader, RequestsArrivingTogetherAreTakenOneByOne)
{
    CRequestReader reader;
    reader.Append(kGet + "POST /p HTTP/1.1\r\nContent-Length: 2\r\n\r\nab" + "GET /x");
    EXPECT_EQ(reader.TakeRequest(), kGet);
    EXPECT_EQ(reader.Check(), State::Complete);
    EXPECT_TRUE(reader.TakeRequest().endsWith("\r\n\r\nab"));
    EXPECT_EQ(reader.Check(), State::Incomplete);
    reader.Append(" HTTP/1.1\r\n");
    EXPECT_EQ(reader.Check(), State::Incomplete);
    reader.Append("\r\n");
    EXPECT_EQ(reader.Check(), State::Complete);
}

TEST(CRequestReader, PiecesAddUpToOneRequest)
{
    CRequestReader reader;
    const QByteArray request = "POST /p HTTP/1.1\r\nContent-Length: 10\r\n\r\n0123456789";
    for (qsizetype i = 0; i < request.size(); i += 7) {
        EXPECT_EQ(reader.Check(), State::Incomplete);
        reader.Append(request.mid(i, 7));
    }
    EXPECT_EQ(reader.Check(), State::Complete);
    EXPECT_EQ(reader.TakeRequest(), request);
    EXPECT_TRUE(reader.IsEmpty());
}

} // namespace
