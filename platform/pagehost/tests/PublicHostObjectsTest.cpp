// What the page host gives a public server's pages beyond the preview's:
// the Application over a host's store, global.asa's events one at a time,
// multipart forms, and header texts that cannot split a reply.
#include "platform/pagehost/CApplication.h"
#include "platform/pagehost/CFields.h"
#include "platform/pagehost/CGlobalAsaGate.h"
#include "platform/pagehost/CMultipartForm.h"
#include "platform/pagehost/CPageRunner.h"
#include "platform/pagehost/CResponse.h"
#include "platform/pagehost/CSession.h"
#include "platform/pagehost/CVirtualFolders.h"
#include "platform/asp/CAspComponent.h"
#include "platform/asp/CAspObjectRegistry.h"
#include "platform/asp/CAspRegionalSettings.h"
#include "platform/testing/TempFolder.h"

#include "platform/testing/QtPrinters.h"

#include <gtest/gtest.h>

#include <QHash>
#include <QJSEngine>

#include <thread>

namespace {

// Writes an amount as the shop's server objects do.
class ProvaFormato : public CAspComponent
{
    Q_OBJECT
public:
    void OnStartPage(IAspScriptingContext*) override {}
    void OnEndPage() override {}
    Q_INVOKABLE QString Importo(double value) const { return CAspRegionalSettings::Current().toString(value, 'f', 2); }
};

} // namespace

QTR_ASP_REGISTER(ProvaFormato)

namespace {

// A host's store that records how its lock was used.
class RecordingStore : public CValueStore
{
public:
    QVariant Value(const QString& key) const override { return values.value(key.toLower()); }
    void SetValue(const QString& key, const QVariant& value) override
    {
        if (value.isValid())
            values.insert(key.toLower(), value);
        else
            values.remove(key.toLower());
    }
    void Lock() override { events.append("lock"); }
    void UnLock() override { events.append("unlock"); }

    QHash<QString, QVariant> values;
    QStringList events;
};

class PublicHostObjectsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        folders.SetRootDir(temp.FilePath("site"));
        temp.WriteFile("site/.keep", "");
        application.SetStore(&store);
        runner.BuiltinObjects().SetLocalMode(false);
    }

    QString Run(const QString& page, const QByteArray& request = "GET /p.asp HTTP/1.1\r\n\r\n")
    {
        runner.Request().ParseRequest(request);
        return QString::fromUtf8(runner.RunPage(page, "/p.asp"));
    }

    TempFolder temp;
    CVirtualFolders folders;
    CSession session;
    RecordingStore store;
    CApplication application;
    CGlobalAsaGate gate{false};
    CPageRunner runner{folders, session, gate, &application};
};

TEST_F(PublicHostObjectsTest, ApplicationValuesKeepTheirTypeAndNamesIgnoreCase)
{
    EXPECT_EQ(Run("<% Application.Conta = 2.5; Application['Flag'] = true; %>"
                  "<%= Application('conta') + 1 %>|<%= Application.FLAG === true %>|<%= Application('nessuno') %>"),
              "3.5|true|");
    EXPECT_EQ(store.values.value("conta"), QVariant(2.5));
}

// Nested, forgotten, stopped by Response.End, unlocked twice, or failed: the
// store gets back every lock the page took.
TEST_F(PublicHostObjectsTest, ThePagesLockIsLetGoWhenThePageEndsHoweverItEnds)
{
    Run("<% Application.Lock(); Application.Lock(); %>");
    Run("<% Application.Lock(); Response.End(); %>");
    Run("<% Application.Lock(); Application.UnLock(); Application.UnLock(); %>");
    Run("<% Application.Lock(); nope(); %>");
    EXPECT_EQ(store.events, QStringList({"lock", "lock", "unlock", "unlock", "lock", "unlock", "lock", "unlock", "lock",
                                         "unlock"}));
}

// Each runner on a thread of its own, as a server runs two shops' pages.
TEST_F(PublicHostObjectsTest, ServerObjectsWriteAmountsInTheRunnersRegionalSettings)
{
    const QString page = "<%= Server.CreateObject('QTR50.ProvaFormato').Importo(1234.5) %>";
    QString italian;
    QString american;
    std::thread first([&] {
        CSession own;
        CGlobalAsaGate done(false);
        CPageRunner shop(folders, own, done);
        shop.SetRegionalSettings(QLocale(QStringLiteral("it_IT")));
        italian = QString::fromUtf8(shop.RunPage(page));
    });
    first.join();
    std::thread second([&] {
        CSession own;
        CGlobalAsaGate done(false);
        CPageRunner shop(folders, own, done);
        shop.SetRegionalSettings(QLocale(QStringLiteral("en_US")));
        american = QString::fromUtf8(shop.RunPage(page));
    });
    second.join();
    EXPECT_EQ(italian, "1.234,50");
    EXPECT_EQ(american, "1,234.50");
}

TEST_F(PublicHostObjectsTest, GlobalAsaEventsRunOneProcedureEach)
{
    temp.WriteFile("site/global.asa", "<SCRIPT RUNAT=Server>\r\n"
                                      "function Application_OnStart() { Application.avvii = 1; }\r\n"
                                      "function Session_OnStart() { Session.inizio = 'si'; }\r\n"
                                      "</SCRIPT>\r\n");
    runner.RunGlobalAsaEvent("Session_OnStart");
    EXPECT_FALSE(store.values.contains("avvii"));
    EXPECT_EQ(session.Item("inizio").toString(), "si");
    runner.RunGlobalAsaEvent("Application_OnStart");
    EXPECT_EQ(store.values.value("avvii").toInt(), 1);
    runner.RunGlobalAsaEvent("Nothing_OnStart");
    EXPECT_EQ(Run("page"), "page");
}

TEST_F(PublicHostObjectsTest, RawBodyIsReadInPiecesAndCookiesAreACollection)
{
    EXPECT_EQ(Run("<%= Request.TotalBytes %>|<%= Request.Cookies('Gusto') %>|<%= Request.Cookies.Count %>|"
                  "<%= new Uint8Array(Request.BinaryRead(3)).length %>|<%= new Uint8Array(Request.BinaryRead(10)).length %>",
                  "POST /p.asp HTTP/1.1\r\nCookie: gusto=menta; b=2\r\nContent-Length: 5\r\n\r\nabcde"),
              "5|menta|2|3|2");
}

// The collections are the request's own objects: the engine must never
// own them, or its collector frees them (the preview then crashed on its
// next turn of the event loop, freeing a member of the request).
TEST_F(PublicHostObjectsTest, TheEngineNeverOwnsTheRequestsCollections)
{
    EXPECT_EQ(Run("<% var c = [Request.Cookies, Request.QueryString, Request.Form, Request.ServerVariables]; %>"
                  "<%= Request.Cookies('a') %>",
                  "GET /p.asp?q=1 HTTP/1.1\r\nCookie: a=1\r\n\r\n"),
              "1");
    CRequest& request = runner.Request();
    for (QObject* collection : {static_cast<QObject*>(request.Cookies()), static_cast<QObject*>(request.QueryString()),
                                static_cast<QObject*>(request.Form()), static_cast<QObject*>(request.ServerVariables())})
        EXPECT_EQ(QJSEngine::objectOwnership(collection), QJSEngine::CppOwnership);
}

struct MultipartCase
{
    const char* name;
    QByteArray contentType;
    QByteArray body;
    QStringList fields;   // name=value
};

void PrintTo(const MultipartCase& c, std::ostream* out) { *out << c.name; }

class CMultipartFormTest : public ::testing::TestWithParam<MultipartCase>
{
};

TEST_P(CMultipartFormTest, GivesTheTextFieldsAndTheNamesOfFiles)
{
    CFields fields;
    CMultipartForm::Parse(GetParam().body, GetParam().contentType, fields);
    QStringList got;
    for (const CField& field : fields.Fields())
        got.append(field.Name() + "=" + field.Value());
    EXPECT_EQ(got, GetParam().fields);
}

INSTANTIATE_TEST_SUITE_P(
    Bodies, CMultipartFormTest,
    ::testing::Values(
        MultipartCase{"TextAndFile", "multipart/form-data; boundary=b1",
                      "--b1\r\nContent-Disposition: form-data; name=\"nome\"\r\n\r\nAnna\r\n"
                      "--b1\r\nContent-Disposition: form-data; name=\"foto\"; filename=\"a.jpg\"\r\n"
                      "Content-Type: image/jpeg\r\n\r\n\x01\x02\r\n--b1--\r\n",
                      {"nome=Anna", "foto=a.jpg"}},
        MultipartCase{"QuotedBoundaryAndLineBreaksInAValue", "multipart/form-data; boundary=\"x y\"",
                      "--x y\r\nContent-Disposition: form-data; name=\"nota\"\r\n\r\nuno\r\ndue\r\n--x y--\r\n",
                      {"nota=uno\r\ndue"}},
        MultipartCase{"NoBoundary", "multipart/form-data", "--b\r\n\r\nx\r\n--b--\r\n", {}},
        MultipartCase{"PartThatNeverEnds", "multipart/form-data; boundary=b",
                      "--b\r\nContent-Disposition: form-data; name=\"a\"\r\n\r\n1\r\n--b\r\n"
                      "Content-Disposition: form-data; name=\"b\"\r\n\r\nnever closed",
                      {"a=1"}}),
    [](const ::testing::TestParamInfo<MultipartCase>& info) { return std::string(info.param.name); });

struct HeaderTextCase
{
    const char* name;
    std::function<bool(CResponse&)> set;
    bool accepted;
};

void PrintTo(const HeaderTextCase& c, std::ostream* out) { *out << c.name; }

class CResponseHeaderTextTest : public ::testing::TestWithParam<HeaderTextCase>
{
};

TEST_P(CResponseHeaderTextTest, RefusesWhatWouldSplitTheReply)
{
    CResponse response;
    EXPECT_EQ(GetParam().set(response), GetParam().accepted);
    if (!GetParam().accepted) {
        EXPECT_TRUE(response.Headers().isEmpty());
        EXPECT_TRUE(response.Status().isEmpty());
        EXPECT_TRUE(response.ContentType().isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CResponseHeaderTextTest,
    ::testing::Values(
        HeaderTextCase{"PlainHeader", [](CResponse& r) { return r.AddHeader("X-Uno", "1"); }, true},
        HeaderTextCase{"LineFeedInValue", [](CResponse& r) { return r.AddHeader("X-Uno", "1\nX-Due: 2"); }, false},
        HeaderTextCase{"CarriageReturnInValue", [](CResponse& r) { return r.AddHeader("X-Uno", "1\r"); }, false},
        HeaderTextCase{"ColonInName", [](CResponse& r) { return r.AddHeader("X-Uno: 1", "2"); }, false},
        HeaderTextCase{"EmptyName", [](CResponse& r) { return r.AddHeader("", "2"); }, false},
        HeaderTextCase{"StatusWithText", [](CResponse& r) { return r.SetStatus("404 Non trovato"); }, true},
        HeaderTextCase{"StatusWithLineBreak", [](CResponse& r) { return r.SetStatus("200 OK\r\nX: 1"); }, false},
        HeaderTextCase{"StatusNotANumber", [](CResponse& r) { return r.SetStatus("OK"); }, false},
        HeaderTextCase{"StatusOutOfRange", [](CResponse& r) { return r.SetStatus("999 No"); }, false},
        HeaderTextCase{"ContentTypeWithLineBreak",
                       [](CResponse& r) { return r.ScriptSetContentType("text/plain\r\nX: 1"); }, false},
        HeaderTextCase{"CookieValueWithLineBreak", [](CResponse& r) { return r.SetCookieValue("c", "1\n2"); }, false},
        HeaderTextCase{"CookieUnknownAttribute",
                       [](CResponse& r) { return r.SetCookieAttribute("c", "SameSite", "None"); }, false}),
    [](const ::testing::TestParamInfo<HeaderTextCase>& info) { return std::string(info.param.name); });

} // namespace

#include "PublicHostObjectsTest.moc"
