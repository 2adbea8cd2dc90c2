// What qtr50d does with pages: the objects a public host gives them, the
// limits it puts on them and the errors it reports.
#include "server/host/testing/CHostTestShop.h"

#include <gtest/gtest.h>

#include <QDateTime>

#include <thread>

namespace {

class HostPagesTest : public ::testing::Test
{
protected:
    CHostTestShop shop;
};

TEST_F(HostPagesTest, ALoopingPageIsStoppedAndItsWorkerServesTheNextRequest)
{
    shop.Set("server/threads", "1");
    shop.WriteFile("/loop.asp", "<% Server.ScriptTimeout = 1; while (true) {} %>");
    shop.WriteFile("/catch.asp", "<% Server.ScriptTimeout = 1; for (;;) { try { while (true) {} } catch (e) {} } %>");
    shop.WriteFile("/ok.asp", "ok");
    ASSERT_TRUE(shop.Start());
    CHttpTestClient visitor = shop.Visitor();
    for (const QByteArray page : {"/loop.asp", "/catch.asp"}) {
        const CHttpTestReply stopped = visitor.Get(page);
        EXPECT_EQ(stopped.status, 500) << page.constData();
        EXPECT_FALSE(stopped.body.contains("while")) << page.constData();
        const CHttpTestReply next = visitor.Get("/ok.asp");
        EXPECT_EQ(next.status, 200);
        EXPECT_EQ(next.body, "ok");
    }
    EXPECT_EQ(shop.ErrorLog().count("Superato il tempo massimo di esecuzione"), 2) << shop.ErrorLog().constData();
}

// One worker, so the second page surely runs in the engine of the first.
TEST_F(HostPagesTest, NothingAPageLeavesInTheEngineReachesTheNextPage)
{
    shop.Set("server/threads", "1");
    shop.WriteFile("/dirty.asp", R"(<%
var secret = "s1"; leaked = "s2"; (function () { return this; })().other = "s3";
function helper() { return "s4"; }
Array.prototype.extra = "s5";
String.prototype.toUpperCase = function () { return "s6"; };
Object.prototype.polluted = "s7";
JSON.stringify = function () { return "s8"; };
%>dirty)");
    shop.WriteFile("/clean.asp", R"(<%= typeof secret %>,<%= typeof leaked %>,<%= typeof other %>,<%= typeof helper %>,<%= String([].extra) %>,<%= "a".toUpperCase() %>,<%= String(({}).polluted) %>,<%= JSON.stringify([1]) %>)");
    ASSERT_TRUE(shop.Start());
    CHttpTestClient visitor = shop.Visitor();
    ASSERT_EQ(visitor.Get("/dirty.asp").body, "dirty");
    EXPECT_EQ(visitor.Get("/clean.asp").body, "undefined,undefined,undefined,undefined,undefined,A,undefined,[1]");
}

struct InjectionCase
{
    const char* name;
    QByteArray page;
};

void PrintTo(const InjectionCase& c, std::ostream* out) { *out << c.name; }

class HostHeaderInjectionTest : public ::testing::TestWithParam<InjectionCase>
{
};

// Every way a page sets a header, with a CR LF that would add one.
TEST_P(HostHeaderInjectionTest, IsRefusedAndNoForgedHeaderLeaves)
{
    CHostTestShop shop;
    shop.WriteFile("/inject.asp", GetParam().page);
    ASSERT_TRUE(shop.Start());
    CHttpTestClient visitor = shop.Visitor();
    const CHttpTestReply reply = visitor.Get("/inject.asp?v=a%0d%0aX-Forged:%201");
    EXPECT_EQ(reply.status, 500);
    EXPECT_TRUE(reply.Header("X-Forged").isEmpty());
    for (const auto& [name, value] : reply.headers)
        EXPECT_FALSE(value.contains("X-Forged")) << name.constData();
    EXPECT_FALSE(reply.body.contains("X-Forged"));
}

INSTANTIATE_TEST_SUITE_P(
    Pages, HostHeaderInjectionTest,
    ::testing::Values(InjectionCase{"AddHeaderValue", "<% Response.AddHeader('X-Mine', Request('v')); %>"},
                      InjectionCase{"AddHeaderName", "<% Response.AddHeader(Request('v'), 'x'); %>"},
                      InjectionCase{"Redirect", "<% Response.Redirect('/x?' + Request('v')); %>"},
                      InjectionCase{"ContentType", "<% Response.ContentType = 'text/plain' + Request('v'); %>"},
                      InjectionCase{"Status", "<% Response.Status = '200 OK' + Request('v'); %>"},
                      InjectionCase{"CookieValue", "<% Response.Cookies.c = Request('v'); %>"},
                      InjectionCase{"CookiePath", "<% Response.Cookies('c').Path = '/' + Request('v'); %>"}),
    [](const ::testing::TestParamInfo<InjectionCase>& info) { return std::string(info.param.name); });

TEST_F(HostPagesTest, ResponseCookiesCarryTheirAttributes)
{
    shop.WriteFile("/cookies.asp", R"(<%
var c = Response.Cookies("pref");
c.Value = "blu scuro";
c.Expires = new Date(Date.UTC(2030, 0, 2, 3, 4, 5));
c.Path = "/negozio";
c.Domain = "example.test";
c.Secure = true;
c.HttpOnly = true;
Response.Cookies.plain = "1";
%>)");
    ASSERT_TRUE(shop.Start());
    CHttpTestClient visitor = shop.Visitor();
    const CHttpTestReply reply = visitor.Get("/cookies.asp");
    const QList<QByteArray> cookies = reply.Headers("Set-Cookie");
    EXPECT_TRUE(cookies.contains("pref=blu%20scuro; expires=Wed, 02 Jan 2030 03:04:05 GMT; path=/negozio; "
                                 "domain=example.test; secure; HttpOnly"))
        << cookies.join("\n").constData();
    EXPECT_TRUE(cookies.contains("plain=1; path=/")) << cookies.join("\n").constData();
}

struct ProxyCase
{
    const char* name;
    bool trusted;
    QByteArray proto;
    QByteArray remoteAddress;   // as the page sees it
    bool secureCookie;
};

void PrintTo(const ProxyCase& c, std::ostream* out) { *out << c.name; }

class HostProxyTest : public ::testing::TestWithParam<ProxyCase>
{
};

// The Session cookie is HttpOnly and SameSite=Lax always, Secure when the
// visitor came over TLS through a proxy the configuration trusts.
TEST_P(HostProxyTest, ForwardedHeadersCountOnlyFromATrustedProxy)
{
    const ProxyCase& c = GetParam();
    CHostTestShop shop;
    if (c.trusted)
        shop.Set("server/trusted_proxies", "127.0.0.1");
    shop.WriteFile("/who.asp", "<% Session.x = 1; %><%= Request.ServerVariables('REMOTE_ADDR') %>|<%= Request.ServerVariables('HTTPS') %>");
    ASSERT_TRUE(shop.Start());
    CHttpTestClient visitor = shop.Visitor();
    const CHttpTestReply reply =
        visitor.Get("/who.asp", {{"X-Forwarded-For", "203.0.113.9, 198.51.100.7"}, {"X-Forwarded-Proto", c.proto}});
    EXPECT_EQ(reply.body, c.remoteAddress + "|" + (c.secureCookie ? "on" : "off"));
    const QByteArray cookie = reply.Header("Set-Cookie");
    EXPECT_TRUE(cookie.contains("; HttpOnly")) << cookie.constData();
    EXPECT_TRUE(cookie.endsWith("; SameSite=Lax")) << cookie.constData();
    EXPECT_EQ(cookie.contains("; secure"), c.secureCookie) << cookie.constData();
}

INSTANTIATE_TEST_SUITE_P(Visitors, HostProxyTest,
                         ::testing::Values(ProxyCase{"TrustedOverTls", true, "https", "198.51.100.7", true},
                                           ProxyCase{"TrustedPlain", true, "http", "198.51.100.7", false},
                                           ProxyCase{"UntrustedClaimingTls", false, "https", "127.0.0.1", false}),
                         [](const ::testing::TestParamInfo<ProxyCase>& info) { return std::string(info.param.name); });

TEST_F(HostPagesTest, RequestGivesItsCookiesVariablesFormsAndRawBody)
{
    shop.WriteFile("/echo.asp", R"(<%
Response.Write([Request.Cookies("a"), Request.ServerVariables("REQUEST_METHOD"), Request.ServerVariables("SCRIPT_NAME"),
    Request.ServerVariables("QUERY_STRING"), Request.ServerVariables("SERVER_PORT") > 0,
    Request.ServerVariables("HTTP_USER_AGENT"), Request.ServerVariables("CONTENT_TYPE").split(";")[0],
    Request.Form("name"), Request.Form("file"), Request.TotalBytes].join("|"));
%>)");
    ASSERT_TRUE(shop.Start());
    CHttpTestClient visitor = shop.Visitor();
    visitor.Cookies().insert("a", "uno");
    const QByteArray body = "--XyZ\r\nContent-Disposition: form-data; name=\"name\"\r\n\r\nRosa Bianchi\r\n"
                            "--XyZ\r\nContent-Disposition: form-data; name=\"file\"; filename=\"foto.jpg\"\r\n"
                            "Content-Type: image/jpeg\r\n\r\n\xff\xd8\xff\r\n--XyZ--\r\n";
    const CHttpTestReply reply = visitor.Post("/echo.asp?x=1", "multipart/form-data; boundary=XyZ", body);
    EXPECT_EQ(reply.body, "uno|POST|/echo.asp|x=1|true||multipart/form-data|Rosa Bianchi|foto.jpg|"
                              + QByteArray::number(body.size()));
}

TEST_F(HostPagesTest, ResponseStatusHeadersClearEndAndRedirectShapeTheReply)
{
    shop.WriteFile("/status.asp", "<% Response.Status = '404 Non trovato'; Response.AddHeader('X-Shop', 'uno'); %>gone");
    shop.WriteFile("/clear.asp", "dropped<% Response.Clear(); %>kept<% Response.End(); %>never");
    shop.WriteFile("/bytes.asp", "<% Response.ContentType = 'application/octet-stream'; "
                                 "Response.BinaryWrite(new Uint8Array([0, 255, 65]).buffer); %>");
    shop.WriteFile("/caught.asp", "a<% try { Response.End(); } catch (e) { } %>never");
    shop.WriteFile("/go.asp", "<% Response.Redirect('/altro.asp'); Application.after = 'ran'; %>never");
    shop.WriteFile("/after.asp", "<%= Application('after') %>|<%= Server.HTMLEncode('<a href=\"x\">&</a>') %>|<%= Server.URLEncode('a b&c/è') %>");
    ASSERT_TRUE(shop.Start());
    CHttpTestClient visitor = shop.Visitor();
    const CHttpTestReply status = visitor.Get("/status.asp");
    EXPECT_EQ(status.status, 404);
    EXPECT_EQ(status.Header("X-Shop"), "uno");
    EXPECT_EQ(status.body, "gone");
    EXPECT_EQ(visitor.Get("/clear.asp").body, "kept");
    const CHttpTestReply bytes = visitor.Get("/bytes.asp");
    EXPECT_EQ(bytes.Header("Content-Type"), "application/octet-stream");
    EXPECT_EQ(bytes.body, QByteArray("\x00\xff" "A", 3));
    EXPECT_EQ(visitor.Get("/caught.asp").body, "a");
    const CHttpTestReply moved = visitor.Get("/go.asp");
    EXPECT_EQ(moved.status, 302);
    EXPECT_EQ(moved.Header("Location"), "/altro.asp");
    EXPECT_EQ(visitor.Get("/after.asp").body,
              "|&lt;a href=&quot;x&quot;&gt;&amp;&lt;/a&gt;|a+b%26c%2F%C3%A8");
}

TEST_F(HostPagesTest, AScriptErrorGivesAPlainPageAndGoesToTheErrorLog)
{
    shop.WriteFile("/broken.asp", "line one\n<% var x = 1;\nnoSuchFunction(); %>");
    ASSERT_TRUE(shop.Start());
    CHttpTestClient visitor = shop.Visitor();
    const CHttpTestReply reply = visitor.Get("/broken.asp");
    EXPECT_EQ(reply.status, 500);
    EXPECT_FALSE(reply.body.contains("noSuchFunction"));
    EXPECT_FALSE(reply.body.contains("line one"));
    const QByteArray log = shop.ErrorLog();
    EXPECT_TRUE(log.contains("/broken.asp")) << log.constData();
    EXPECT_TRUE(log.contains("riga 3")) << log.constData();
    EXPECT_TRUE(log.contains("noSuchFunction")) << log.constData();
}

TEST_F(HostPagesTest, WithDebugTheErrorShowsInThePage)
{
    shop.Set("server/debug", "true");
    shop.WriteFile("/broken.asp", "line one\n<% var x = 1;\nnoSuchFunction(); %>");
    ASSERT_TRUE(shop.Start());
    CHttpTestClient visitor = shop.Visitor();
    const CHttpTestReply reply = visitor.Get("/broken.asp");
    EXPECT_EQ(reply.status, 500);
    EXPECT_TRUE(reply.body.contains("line one"));
    EXPECT_TRUE(reply.body.contains("Errore alla riga 3 di /broken.asp")) << reply.body.constData();
}

} // namespace
