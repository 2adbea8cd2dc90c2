#include "platform/pagehost/CRequest.h"
#include "platform/pagehost/CRequestTarget.h"

#include "platform/testing/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

QByteArray Post(const QByteArray& target, const QByteArray& body)
{
    return "POST " + target + " HTTP/1.1\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body;
}

TEST(CRequest, GetFillsServerVariablesAndDecodesTheQuery)
{
    CRequest request;
    request.ParseRequest("GET /x.asp?a=1&b=hello+world%21 HTTP/1.1\r\n\r\n");
    EXPECT_EQ(request.ServerVariable("REQUEST_METHOD"), "GET");
    EXPECT_EQ(request.ServerVariable("SCRIPT_NAME"), "/x.asp");
    EXPECT_EQ(request.ServerVariable("QUERY_STRING"), "a=1&b=hello+world%21");
    EXPECT_EQ(request.QueryString("a"), "1");
    EXPECT_EQ(request.QueryString("b"), "hello world!");
    EXPECT_EQ(request.QueryString()->Count(), 2);
}

TEST(CRequest, RootTargetIsTheDefaultPageAndNoQueryMeansNoFields)
{
    CRequest request;
    request.ParseRequest("GET / HTTP/1.1\r\n\r\n");
    EXPECT_EQ(request.ServerVariable("SCRIPT_NAME"), "/default.asp");
    EXPECT_EQ(request.QueryString()->Count(), 0);
    EXPECT_TRUE(request.ServerVariable("QUERY_STRING").isNull());
}

struct PairCase
{
    const char* query;
    QStringList names;
    QStringList values;
};

class CRequestPairs : public ::testing::TestWithParam<PairCase>
{};

TEST_P(CRequestPairs, QueryIsSplitIntoFields)
{
    CRequest request;
    request.ParseRequest(QByteArray("GET /p.asp?") + GetParam().query + " HTTP/1.1\r\n\r\n");
    EXPECT_EQ(request.QueryString()->Names(), GetParam().names);
    EXPECT_EQ(request.QueryString()->Values(), GetParam().values);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CRequestPairs,
    ::testing::Values(PairCase{"a=1&b&c=3", {"a", "b&c"}, {"1", "3"}},
                      PairCase{"a=1&a=2", {"a"}, {"1,2"}},
                      PairCase{"a=1&A=2", {"a"}, {"1,2"}},
                      PairCase{"novalue", {}, {}},
                      PairCase{"e=&f=%41%42%43", {"e", "f"}, {"", "ABC"}},
                      PairCase{"p=100%25&q=%%&r=%4", {"p", "q", "r"}, {"100%", "%", "%4"}},
                      PairCase{"u=caff%C3%A8", {"u"}, {"caffè"}}));

TEST(CRequest, KeysAreIndexesWhenTheyBeginWithADigit)
{
    CRequest request;
    request.ParseRequest("GET /p.asp?a=x&b=y&a2=z HTTP/1.1\r\n\r\n");
    CFields* fields = request.QueryString();
    EXPECT_EQ(fields->GetValue("2"), "y");
    EXPECT_EQ(fields->GetValue("2a"), "y");
    EXPECT_EQ(fields->GetValue("a2"), "z");
    EXPECT_EQ(fields->GetValue("A"), "x");
    EXPECT_TRUE(fields->GetValue("").isEmpty());
    EXPECT_TRUE(fields->GetValue("9").isEmpty());
    EXPECT_TRUE(fields->GetValue("missing").isNull());
    EXPECT_EQ(fields->Prova("t"), "Hai passato #t#");
}

TEST(CRequest, ItemReadsTheQueryThenTheForm)
{
    CRequest request;
    request.ParseRequest(Post("/p.asp?q=1", "f=2&q=3&empty="));
    EXPECT_EQ(request.Item("q"), "1");
    EXPECT_EQ(request.Item("f"), "2");
    EXPECT_EQ(request.Form("q"), "3");
    EXPECT_EQ(request.ServerVariable("REQUEST_METHOD"), "POST");
    EXPECT_TRUE(request.Form("empty").isEmpty());
    EXPECT_FALSE(request.Form("empty").isNull());
    EXPECT_TRUE(request.Form("none").isNull());
    EXPECT_EQ(request.Body(), "f=2&q=3&empty=");
    ASSERT_EQ(request.FormFields().size(), 3);
    EXPECT_EQ(request.FormFields().at(1), qMakePair(QString("q"), QString("3")));
}

TEST(CRequest, CookiesAreReadAndCollectionsCleared)
{
    CRequest request;
    request.ParseRequest("GET /p.asp?a=1 HTTP/1.1\r\nCookie: QTRIDUser=42; x=a%20b\r\n\r\n");
    EXPECT_EQ(request.Cookie("qtriduser"), "42");
    EXPECT_EQ(request.Cookie("x"), "a b");
    request.ClearCollections();
    EXPECT_EQ(request.QueryString()->Count(), 0);
    EXPECT_EQ(request.ServerVariables()->Count(), 0);
    EXPECT_TRUE(request.Cookie("x").isNull());
}

TEST(CRequestTarget, PathIsDecodedAndTheQueryKeptAsSent)
{
    const CRequestTarget target("GET /images/a%20b.gif?x=%41 HTTP/1.1\r\n\r\n");
    EXPECT_EQ(target.Method(), "GET");
    EXPECT_EQ(target.Path(), "/images/a b.gif");
    EXPECT_EQ(target.Query(), "x=%41");
}

} // namespace
