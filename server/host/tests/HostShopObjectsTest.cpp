// The shop's own server classes under qtr50d: Generale finds the database
// through Server.MapPath("/db"), identifies visitors with its cookies and
// numbers them with the Application counter, as a public host must let it.
#include "server/host/testing/CHostTestShop.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

namespace {

const QByteArray kIdentify = R"(<%
var g = Server.CreateObject("QTR50.Generale");
g.IdentificaUtente();
g.Free();
%>visitor=<%= Session("OkQTRIDSession") %>;counter=<%= Application("IDSession") %>;)";

QByteArray Value(const QByteArray& body, const QByteArray& name)
{
    const QRegularExpression pattern(QString::fromLatin1(name) + QStringLiteral("=([^;<]*)"));
    return pattern.match(QString::fromUtf8(body)).captured(1).toUtf8();
}

TEST(HostShopObjectsTest, GeneraleIdentifiesVisitorsWithCookiesAndTheApplicationCounter)
{
    CHostTestShop shop;
    shop.WriteFile("/identifica.asp", kIdentify);
    ASSERT_TRUE(shop.Start());

    CHttpTestClient first = shop.Visitor();
    const CHttpTestReply reply = first.Get("/identifica.asp");
    ASSERT_EQ(reply.status, 200) << shop.ErrorLog().constData();
    const QByteArray number = Value(reply.body, "visitor");
    EXPECT_TRUE(number.endsWith("0")) << number.constData();   // the first visitor's counter is 0
    EXPECT_EQ(Value(reply.body, "counter"), "1");
    EXPECT_EQ(first.Cookies().value("QTRIDSessione"), number);
    EXPECT_EQ(first.Cookies().value("QTRIDUser"), number);

    // The same Session: no new number, no new cookie.
    const CHttpTestReply again = first.Get("/identifica.asp");
    EXPECT_EQ(Value(again.body, "visitor"), number);
    EXPECT_TRUE(again.Headers("Set-Cookie").isEmpty());

    // A second visitor gets the next number.
    CHttpTestClient second = shop.Visitor();
    const CHttpTestReply other = second.Get("/identifica.asp");
    EXPECT_TRUE(Value(other.body, "visitor").endsWith("1")) << other.body.constData();
    EXPECT_EQ(Value(other.body, "counter"), "2");
}

} // namespace
