#include "platform/pagehost/CPageScript.h"
#include "platform/testing/QtPrinters.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

namespace {

QString W(int k) { return QString("\nResponse.WriteHTML(%1)\n").arg(k); }

TEST(CPageScript, HtmlExpressionAndStatementBlocksMakeOneScript)
{
    const CPageScript page("A<%= E %>B<% S %>");
    EXPECT_EQ(page.Blocks(), QStringList({"A", "B", ""}));
    EXPECT_EQ(page.Script(), W(0) + "\nResponse.Write( E " + ")\n" + W(1) + " S " + "\n" + W(2));
}

TEST(CPageScript, PagesWithoutScriptAreOneBlock)
{
    EXPECT_EQ(CPageScript("<p>x</p>").Blocks(), QStringList({"<p>x</p>"}));
    EXPECT_EQ(CPageScript("<p>x</p>").Script(), W(0));
    EXPECT_EQ(CPageScript("").Blocks(), QStringList({""}));
}

TEST(CPageScript, PageEndingInsideScriptGetsNoLastBlock)
{
    const CPageScript page("A<% x = 1");
    EXPECT_EQ(page.Blocks(), QStringList({"A"}));
    EXPECT_EQ(page.Script(), W(0) + " x = 1");
}

TEST(CPageScript, CloseMarkInHtmlIsDroppedAndDirectivesAreScript)
{
    const CPageScript page("a%>b<%@ x %>");
    EXPECT_EQ(page.Blocks(), QStringList({"ab", ""}));
    EXPECT_EQ(page.Script(), "\n" + W(0) + "@ x \n" + W(1));
}

TEST(CPageScript, ScriptLinesKnowTheirPageLine)
{
    // Page lines: 1 "<html>", 2 "<% var a = 1;", 3 "   bad(); %>", 4 "<%= a %>".
    const CPageScript page("<html>\r\n<% var a = 1;\r\n   bad(); %>\r\n<%= a %>");
    const QStringList lines = page.Script().split('\n');
    const int badLine = int(lines.indexOf(QRegularExpression(".*bad.*"))) + 1;
    const int writeLine = int(lines.indexOf(QRegularExpression("Response.Write\\( a.*"))) + 1;
    EXPECT_EQ(page.PageLine(badLine), 3);
    EXPECT_EQ(page.PageLine(writeLine), 4);
    EXPECT_EQ(page.PageLine(0), 0);
    EXPECT_EQ(page.PageLine(1000), 0);
}

} // namespace
