#include "platform/pagehost/CMemoryValueStore.h"
#include "platform/pagehost/CPageRunner.h"
#include "platform/pagehost/CScriptValue.h"
#include "platform/pagehost/CSession.h"
#include "platform/pagehost/CVirtualFolders.h"
#include "platform/asp/CAspCallGuard.h"
#include "platform/asp/CAspComponent.h"
#include "platform/asp/CAspObjectRegistry.h"
#include "platform/asp/IAspRequest.h"
#include "platform/asp/IAspResponse.h"
#include "platform/asp/IAspServer.h"
#include "platform/asp/IAspSession.h"
#include "platform/testing/TempFolder.h"

#include "platform/testing/QtPrinters.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QElapsedTimer>
#include <QThread>

#include <atomic>
#include <stdexcept>
#include <thread>

namespace {

QStringList g_events;

// A server object as the shop's classes are: started with the page's
// context, ended by the host, failing by exceptions caught at the script's
// boundary.
class ProvaPagina : public CAspComponent
{
    Q_OBJECT
public:
    void OnStartPage(IAspScriptingContext* context) override
    {
        m_context = context;
        g_events.append("start " + context->Request()->QueryString("id"));
    }
    // Uses its context to the last, as the shop's objects do when they free
    // their resources.
    void OnEndPage() override { g_events.append("end " + m_context->Request()->QueryString("id")); }

    Q_INVOKABLE QString Saluta(const QString& name)
    {
        return CAspCallGuard::Run(m_context, [&] {
            m_context->Response()->Write("[" + name + "]");
            m_context->Session()->SetValue("Salutato", name);
            return "ciao " + name + " da " + m_context->Server()->MapPath("/db");
        });
    }
    Q_INVOKABLE void Fallisce()
    {
        CAspCallGuard::Run(m_context, [] { throw std::runtime_error("guasto interno"); });
    }

private:
    IAspScriptingContext* m_context = nullptr;
};

} // namespace

QTR_ASP_REGISTER(ProvaPagina)

namespace {

class CPageRunnerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_events.clear();
        folders.SetRootDir(temp.FilePath("website/asp"));
        folders.AddVirtualDir("/db", temp.FilePath("db"));
        temp.WriteFile("db/.keep", "");
    }

    QString Run(const QString& page, const QByteArray& request = "GET /p.asp HTTP/1.1\r\n\r\n")
    {
        runner.Request().ParseRequest(request);
        return QString::fromUtf8(runner.RunPage(page, "/p.asp"));
    }

    TempFolder temp;
    CVirtualFolders folders;
    CSession session;
    CGlobalAsaGate globalAsa{false};
    CPageRunner runner{folders, session, globalAsa};
};

TEST_F(CPageRunnerTest, HtmlExpressionsAndStatementsLandInOrder)
{
    EXPECT_EQ(Run("<h1><%= 'Tit' + 'olo' %></h1>\r\n<% for (var i = 1; i <= 3; ++i) { %><%= i %>,<% } %>end"),
              "<h1>Titolo</h1>\r\n1,2,3,end");
}

TEST_F(CPageRunnerTest, RequestCollectionsAreCalledToRead)
{
    const QString body = Run("<%= Request('q') %>|<%= Request.QueryString('Q') %>|<%= Request.Form('f') %>|"
                             "<%= Request.Form.Count %>|<%= Request.ServerVariables('REQUEST_METHOD') %>|"
                             "<%= Request.Form(1) %>|<% for (var f of Request.Form) Response.Write(f.Name + '=' + "
                             "f.Value + ';'); %>|<%= Request.Form.Item('g') %>",
                             "POST /p.asp?q=uno HTTP/1.1\r\nContent-Length: 11\r\n\r\nf=due&g=tre");
    EXPECT_EQ(body, "uno|uno|due|2|POST|due|f=due;g=tre;|tre");
}

TEST_F(CPageRunnerTest, SessionIsWrittenByPropertyAndReadWithoutRegardToCase)
{
    Run("<% Session.k = 5; Session['Nome'] = 'Anna'; Session.vero = true; %>");
    EXPECT_EQ(session.Item("K"), QVariant(qint64(5)));
    EXPECT_EQ(Run("<%= Session('NOME') %>:<%= Session.nome %>:<%= Session('vero') %>:"
                  "<%= Session('manca') === undefined %>:<%= Session.Item('k') %>"),
              "Anna:Anna:true:true:5");
}

struct TypedValueCase
{
    const char* name;
    const char* value;      // script expression stored by one page
    const char* expected;   // what the next page's typeof, if and value give
};

class SessionValueTypes : public CPageRunnerTest, public ::testing::WithParamInterface<TypedValueCase>
{};

// A page stores, the next one decides on what it reads.
TEST_P(SessionValueTypes, ValuesComeBackWithTheirType)
{
    Run(QStringLiteral("<% Session.Valore = %1; Application.Valore = %1; %>").arg(GetParam().value));
    const QString reader = QStringLiteral(
        "<% var v = %1('Valore'); %><%= typeof v %>:<% if (v) { %>si<% } else { %>no<% } %>:"
        "<%= v instanceof Date ? v.getFullYear() + '-' + (v.getMonth() + 1) + '-' + v.getDate() : String(v) %>");
    EXPECT_EQ(Run(reader.arg("Session")), GetParam().expected);
    EXPECT_EQ(Run(reader.arg("Application")), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Mends, SessionValueTypes,
    ::testing::Values(TypedValueCase{"FalseBoolean", "false", "boolean:no:false"},
                      TypedValueCase{"TrueBoolean", "1 > 0", "boolean:si:true"},
                      TypedValueCase{"ZeroNumber", "0", "number:no:0"},
                      TypedValueCase{"WholeNumber", "1000000001", "number:si:1000000001"},
                      TypedValueCase{"Fraction", "12.5", "number:si:12.5"},
                      TypedValueCase{"EmptyText", "''", "string:no:"},
                      TypedValueCase{"TextFalse", "'false'", "string:si:false"},
                      TypedValueCase{"Date", "new Date(2026, 0, 31)", "object:si:2026-1-31"},
                      TypedValueCase{"Null", "null", "object:no:null"},
                      TypedValueCase{"Undefined", "undefined", "undefined:no:undefined"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CPageRunnerTest, SessionValuesReachCppWithTheirType)
{
    Run("<% Session.AttivaBonifico = false; Session.IDUtente = 0; Session.Quando = new Date(2026, 0, 31, 10, 30); %>");
    EXPECT_EQ(session.Item("AttivaBonifico"), QVariant(false));
    EXPECT_EQ(session.Item("IDUtente"), QVariant(qint64(0)));
    EXPECT_EQ(session.Item("Quando").toDateTime(), QDateTime(QDate(2026, 1, 31), QTime(10, 30)));
    session.SetValue("DaCpp", true);
    EXPECT_EQ(Run("<%= Session('DaCpp') === true %>"), "true");
}

TEST(CScriptValueCodec, TextFormKeepsTheType)
{
    const QDateTime moment(QDate(2026, 1, 31), QTime(10, 30, 15, 250));
    for (const QVariant& value : {QVariant(false), QVariant(true), QVariant(qint64(0)), QVariant(qint64(-7)),
                                  QVariant(2.5), QVariant(QString()), QVariant(QString("s:b:")), QVariant(moment),
                                  QVariant::fromValue(nullptr)}) {
        const QVariant back = CScriptValue::Decode(CScriptValue::Encode(value));
        EXPECT_EQ(back.metaType(), value.metaType()) << CScriptValue::Encode(value).toStdString();
        EXPECT_EQ(back, value) << CScriptValue::Encode(value).toStdString();
    }
    EXPECT_FALSE(CScriptValue::Decode("x:1").isValid());
}

// A host plugs its own store; the session keeps the typing.
class RecordingStore : public CMemoryValueStore
{
public:
    void SetValue(const QString& key, const QVariant& value) override
    {
        written.append(key + "=" + CScriptValue::Encode(value));
        CMemoryValueStore::SetValue(key, value);
    }
    QStringList written;
};

TEST_F(CPageRunnerTest, AStoreOfTheHostReceivesTypedValues)
{
    RecordingStore store;
    session.SetStore(&store);
    Run("<% Session.IDUtente = 0; Session.Nome = 'Anna'; %>");
    EXPECT_EQ(store.written, QStringList({"IDUtente=n:0", "Nome=s:Anna"}));
    EXPECT_EQ(Run("<%= typeof Session('IDUtente') %>"), "number");
    session.SetStore(nullptr);
}

TEST_F(CPageRunnerTest, ApplicationLockIsReleasedWhenThePageForgetsIt)
{
    EXPECT_EQ(Run("<% Application.Lock(); Application.Visite = (Application('Visite') || 0) + 1; Application.UnLock(); %>"
                  "<%= Application('Visite') %>"),
              "1");
    Run("<% Application.Lock(); Application.Lock(); %>");
    CApplication& application = *runner.BuiltinObjects().ApplicationObject();
    std::atomic<bool> locked{false};
    std::thread other([&] {
        application.Lock();
        locked = true;
        application.UnLock();
    });
    QElapsedTimer timer;
    timer.start();
    while (!locked && timer.elapsed() < 5000)
        QThread::msleep(5);
    EXPECT_TRUE(locked);
    other.join();
}

struct LeakPageCase
{
    const char* name;
    const char* first;    // page run for one visitor
    const char* second;   // page run next, for another
    const char* expected;
};

class PageIsolation : public CPageRunnerTest, public ::testing::WithParamInterface<LeakPageCase>
{};

TEST_P(PageIsolation, NothingAPageLeavesReachesTheNext)
{
    Run(GetParam().first, "GET /p.asp?carta=4111-1111 HTTP/1.1\r\n\r\n");
    QCoreApplication::processEvents();
    EXPECT_EQ(Run(GetParam().second, "GET /p.asp?carta=5500-0000 HTTP/1.1\r\n\r\n"), GetParam().expected);
    QCoreApplication::processEvents();
    EXPECT_FALSE(session.Item("rubata").isValid());
}

INSTANTIATE_TEST_SUITE_P(
    Mends, PageIsolation,
    ::testing::Values(
        LeakPageCase{"Globals", "<% var carta = Request('carta'); %>", "<%= typeof carta %>", "undefined"},
        LeakPageCase{"ChangedBuiltin", "<% Math.ultimo = Request('carta'); %>", "<%= String(Math.ultimo) %>", "undefined"},
        LeakPageCase{"Prototype", "<% Object.prototype.benvenuto = 'ciao A'; %>", "<%= String(({}).benvenuto) %>",
                     "undefined"},
        LeakPageCase{"ReplacedObjectOfThePage", "<% Response = { Write: function () {} }; %>", "<%= 'visto' %>",
                     "visto"},
        LeakPageCase{"FunctionLeftBehind",
                     "<% var writeLater = Response.Write; Promise.resolve().then(function () {"
                     " Session.rubata = Request('carta'); writeLater('x'); }); %>",
                     "<%= 'pulita' %>", "pulita"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CPageRunnerTest, APageThatRunsTooLongIsStoppedWithAnError)
{
    const QString body = Run("prima<% Server.ScriptTimeout = 1; while (true) {} %>dopo");
    EXPECT_EQ(body, "prima<p>" + ScriptEngineFactory::TimeoutMessage(std::chrono::seconds(1)) + "</p>");
    EXPECT_EQ(Run("<%= Server.ScriptTimeout %>"), QString::number(CPageRunner::kDefaultScriptTimeout));
}

TEST_F(CPageRunnerTest, HeaderTextWithControlCharactersIsRefused)
{
    const QString body = Run("<% Response.Redirect(Request('u')); %>",
                             "GET /p.asp?u=/a%0d%0aSet-Cookie:+x=1 HTTP/1.1\r\n\r\n");
    EXPECT_TRUE(runner.RedirectTarget().isEmpty());
    EXPECT_TRUE(body.contains(CResponse::HeaderError())) << body.toStdString();
    EXPECT_TRUE(Run("<% Response.ContentType = 'text/html\\nX-A: b'; %>").contains(CResponse::HeaderError()));
    EXPECT_EQ(Run("<% Response.ContentType = 'text/plain'; %><%= Response.ContentType %>"), "text/plain");
    CAspCookie cookie;
    cookie.path = "/\r\nX-A: b";
    EXPECT_THROW(runner.Response().SetCookie("c", cookie), std::invalid_argument);
    EXPECT_THROW(runner.Response().Redirect("/\n"), std::invalid_argument);
}

TEST(CPageRunnerTeardown, ObjectsLeftAtTheEndAreEndedWhileTheirContextLives)
{
    g_events.clear();
    TempFolder temp;
    CVirtualFolders folders;
    folders.SetRootDir(temp.FilePath("asp"));
    CSession session;
    CGlobalAsaGate globalAsa(false);
    {
        auto runner = std::make_unique<CPageRunner>(folders, session, globalAsa);
        runner->Request().ParseRequest("GET /p.asp?id=9 HTTP/1.1\r\n\r\n");
        CAspComponent* object = runner->Server().CreateObject("QTR50.ProvaPagina");
        ASSERT_NE(object, nullptr);
        // A failure outside any page waits in the context for the page end
        // that never comes.
        QMetaObject::invokeMethod(object, "Fallisce");
    }
    EXPECT_EQ(g_events, QStringList({"start 9", "end 9"}));
}

TEST_F(CPageRunnerTest, SessionRefusesValuesWithoutText)
{
    EXPECT_EQ(Run("before<% Session.o = {a: 1}; %>after"),
              "before<p>Errore alla riga 1 di /p.asp: TypeError: Tipo non corrispondente</p>");
    EXPECT_FALSE(session.Item("o").isValid());
}

TEST_F(CPageRunnerTest, ReadOnlyMembersRefuseWrites)
{
    const QString body = Run("<% Response.Expires = 5; %><%= Response.Expires %><% Request.Form = 1; %>");
    EXPECT_TRUE(body.startsWith("0<p>Errore alla riga 1 di /p.asp: TypeError: Operazione non supportata: Form"))
        << body.toStdString();
}

TEST_F(CPageRunnerTest, RedirectSendsNoBodyAndNoErrors)
{
    EXPECT_EQ(Run("text<% Response.Redirect('/altro.asp'); nope(); %>"), "");
    EXPECT_EQ(runner.RedirectTarget(), "/altro.asp");
    Run("text");
    EXPECT_TRUE(runner.RedirectTarget().isEmpty());
}

TEST_F(CPageRunnerTest, ScriptErrorsAreWrittenWithTheirPageLine)
{
    const QString body = Run("<p>a</p>\r\n<p>b</p>\r\n<% var x = 1;\r\n  manca(x); %>\r\n<p>c</p>");
    EXPECT_EQ(body, "<p>a</p>\r\n<p>b</p>\r\n<p>Errore alla riga 4 di /p.asp: ReferenceError: manca is not "
                    "defined</p>");
}

TEST_F(CPageRunnerTest, ErrorTextIsEscaped)
{
    EXPECT_EQ(Run("<% throw '<b>'; %>"), "<p>Errore alla riga 1 di /p.asp: &lt;b&gt;</p>");
}

TEST_F(CPageRunnerTest, IncludesExpandNestedAndStopWhenAFileIncludesItself)
{
    temp.WriteFile("website/asp/blocchi/testata.inc", "<b>testata</b>\r\n<!-- #include virtual=\"/blocchi/menu.inc\" -->\r\n");
    temp.WriteFile("website/asp/blocchi/menu.inc", "<i>menu</i>\n<!-- #include virtual=\"blocchi/menu.inc\" -->\n");
    EXPECT_EQ(runner.ExpandIncludes("x\r\n<!-- #include virtual=\"/blocchi/testata.inc\" -->\r\ny\r\n"),
              "x\r\n<b>testata</b>\n<i>menu</i>\ny\r\n");
    QStringList errors;
    runner.ExpandIncludes("<!-- #include virtual=\"/blocchi/menu.inc\" -->", &errors);
    EXPECT_EQ(errors, QStringList{"Errore alla riga 2 di /blocchi/menu.inc: inclusione circolare di /blocchi/menu.inc"});
}

TEST_F(CPageRunnerTest, ADirectiveInsideTextIsReplacedWhereItStands)
{
    temp.WriteFile("website/asp/x.inc", "X\r\n");
    temp.WriteFile("website/asp/y.inc", "<i><!-- #include virtual=\"/x.inc\"--></i><!-- #include virtual=\"/x.inc\"-->!\n");
    EXPECT_EQ(runner.ExpandIncludes("a\r\n<td><!-- #include virtual=\"/x.inc\"--></td>\r\n"
                                    "\t<!-- #include virtual=\"/y.inc\"-->\r\nz"),
              "a\r\n<td>X\n</td>\r\n<i>X\n</i>X\n!\nz");
}

// Errors are placed at the directive's line, as script errors are.
TEST_F(CPageRunnerTest, IncludeCyclesAndDeepNestingAreRefusedInThePage)
{
    temp.WriteFile("website/asp/a.inc", "a1\n<!-- #include virtual=\"/b.inc\" -->\n");
    temp.WriteFile("website/asp/b.inc", "b1\nb2 <!-- #include virtual=\"/a.inc\" --> fine\n");
    for (int visit = 1; visit <= 2; ++visit)   // the kept page shows it again
        EXPECT_EQ(Run("<!-- #include virtual=\"/a.inc\" -->\r\n<%= 'dopo' %>"),
                  "a1\nb1\nb2  fine\ndopo<p>Errore alla riga 2 di /b.inc: inclusione circolare di /a.inc</p>")
            << visit;

    for (int n = 0; n < 20; ++n)
        temp.WriteFile(QStringLiteral("website/asp/n%1.inc").arg(n),
                       QStringLiteral("%1<!-- #include virtual=\"/n%2.inc\" -->\n").arg(n).arg(n + 1).toUtf8());
    QStringList errors;
    EXPECT_EQ(runner.ExpandIncludes("<!-- #include virtual=\"/n0.inc\" -->", &errors),
              "0123456789101112131415" + QString(16, '\n'));
    EXPECT_EQ(errors, QStringList{"Errore alla riga 1 di /n15.inc: inclusioni annidate oltre 16 livelli (/n16.inc)"});
    const QString body = Run("<!-- #include virtual=\"/n0.inc\" -->");
    EXPECT_TRUE(body.endsWith("<p>Errore alla riga 1 di /n15.inc: inclusioni annidate oltre 16 livelli (/n16.inc)</p>"))
        << body.toStdString();
    EXPECT_EQ(Run("<!-- #include virtual=\"/n5.inc\" -->"), "56789101112131415161718" "19" + QString(15, '\n'))
        << "sixteen levels are allowed, and a file missing ends the chain without error";
}

TEST_F(CPageRunnerTest, MissingOrEscapingIncludesContributeNothing)
{
    temp.WriteFile("website/segreto.inc", "segreto");
    EXPECT_EQ(runner.ExpandIncludes("a\r\n<!-- #include virtual=\"/nessuno.inc\" -->\r\n"
                                    "<!-- #include virtual=\"../segreto.inc\" -->\r\n<!-- #include virtual -->\r\nb"),
              "a\r\nb");
}

// A page is expanded once and kept; a change to the page, to a file it
// includes (even one of the same size), or a file it looked for and did
// not find appearing, shows on the next visit.
TEST_F(CPageRunnerTest, AKeptPageFollowsEveryChangeToItsFiles)
{
    const QString page = "<!-- #include virtual=\"/a.inc\" -->\r\n<!-- #include virtual=\"/b.inc\" -->\r\n<%= 1 + 1 %>";
    const QString a = temp.FilePath("website/asp/a.inc");
    const auto touch = [&](const QString& file, const QByteArray& text, int seconds) {
        temp.WriteFile(file, text);
        QFile f(temp.FilePath(file));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        f.setFileTime(QDateTime::currentDateTime().addSecs(seconds), QFileDevice::FileModificationTime);
    };
    touch("website/asp/a.inc", "uno\n", 0);
    EXPECT_EQ(Run(page), "uno\n2");
    EXPECT_EQ(Run(page), "uno\n2");
    touch("website/asp/a.inc", "due\n", 5);   // same size, another time
    EXPECT_EQ(Run(page), "due\n2");
    touch("website/asp/b.inc", "<%= 'bi' %>\n", 5);
    EXPECT_EQ(Run(page), "due\nbi\n2");
    ASSERT_TRUE(QFile::remove(a));
    EXPECT_EQ(Run(page), "bi\n2");
    EXPECT_EQ(Run(page + " <%= 3 %>"), "bi\n2 3");
}

TEST_F(CPageRunnerTest, ErrorsInIncludedFilesNameThatFile)
{
    temp.WriteFile("website/asp/inc/a.inc", "<% var ok = 1; %>\n<%\nrotto();\n%>\n");
    const QString body = Run("uno\r\n<!-- #include virtual=\"/inc/a.inc\" -->\r\n<% dopo(); %>");
    EXPECT_TRUE(body.contains("<p>Errore alla riga 3 di /inc/a.inc: ReferenceError: rotto"))
        << body.toStdString();
}

TEST_F(CPageRunnerTest, GlobalAsaRunsOnceBeforeTheFirstPage)
{
    temp.WriteFile("website/asp/global.asa",
                   "<SCRIPT LANGUAGE=\"JScript\" RUNAT=\"Server\">\r\n"
                   "function Application_OnStart() { Response.Write('app;'); }\r\n"
                   "function Session_OnStart() { Session.Visite = 1; Response.Write('sess;'); }\r\n"
                   "</SCRIPT>\r\n");
    globalAsa.Reset();
    EXPECT_EQ(Run("page <%= Session('Visite') %>"), "app;sess;page 1");
    EXPECT_FALSE(globalAsa.IsPending());
    EXPECT_EQ(Run("again"), "again");
}

TEST_F(CPageRunnerTest, GlobalAsaErrorsReachTheFirstPage)
{
    temp.WriteFile("website/asp/global.asa", "<script>\nfunction Session_OnStart() {\n  guasto();\n}\n</script>\n");
    globalAsa.Reset();
    EXPECT_EQ(Run("p"), "p<p>Errore alla riga 3 di /global.asa: ReferenceError: guasto is not defined</p>");
}

// A caller with a runner of its own per flag hands the flag over.
TEST_F(CPageRunnerTest, ARunnerOfItsOwnTakesOverAGlobalAsaFlag)
{
    temp.WriteFile("website/asp/global.asa", "<script>\nfunction Application_OnStart() { Response.Write('app;'); }\n"
                                             "</script>\n");
    std::atomic<bool> pending{true};
    CPageRunner own(folders, session, pending);
    EXPECT_FALSE(pending);
    EXPECT_EQ(QString::fromUtf8(own.RunPage("a")), "app;a");
    EXPECT_EQ(QString::fromUtf8(own.RunPage("b")), "b");
}

TEST(CPageRunnerGlobalAsa, ScriptTagsGoAndOnlyDefinedProceduresAreCalled)
{
    QList<int> lines;
    EXPECT_EQ(CPageRunner::GlobalAsaScript("<script runat=server>\r\nfunction Session_OnStart() {}\r\n</script>\r\n",
                                           &lines),
              "function Session_OnStart() {}\nSession_OnStart();\n");
    EXPECT_EQ(lines, QList<int>({2}));
}

TEST_F(CPageRunnerTest, ServerMapsPathsAndCreatesObjectsEndedWithThePage)
{
    const QString body = Run("<% var o = Server.CreateObject('QTR50.ProvaPagina'); %><%= o.Saluta('Eva') %>|"
                             "<%= Server.CreateObject('QTR50.Nessuno') === null %>|<%= Server.MapPath('a.htm') %>",
                             "GET /p.asp?id=7 HTTP/1.1\r\n\r\n");
    const QString db = temp.FilePath("db");
    EXPECT_EQ(body, "[Eva]ciao Eva da " + db + "|true|" + temp.FilePath("website/asp/a.htm"));
    EXPECT_EQ(g_events, QStringList({"start 7", "end 7"}));
    EXPECT_EQ(session.Item("Salutato"), QVariant(QString("Eva")));
}

// The patterns behind the encoders serve every call of every page alike.
TEST_F(CPageRunnerTest, EncodersGiveTheSameTextOnEveryCall)
{
    const QString page = "<%= Server.HTMLEncode('<b>&\\'') %>|<%= Server.HTMLEncode('\"x\" > y') %>|"
                         "<%= Server.URLEncode('a b!') %>|<%= Server.URLEncode('(c d)*') %>";
    const QString expected = "&lt;b&gt;&amp;&#39;|&quot;x&quot; &gt; y|a+b%21|%28c+d%29%2A";
    EXPECT_EQ(Run(page), expected);
    EXPECT_EQ(Run(page), expected);
}

TEST_F(CPageRunnerTest, FailuresOfObjectsAndPathsBecomePageErrors)
{
    const QString body = Run("<% var o = Server.CreateObject('QTR50.ProvaPagina');\r\no.Fallisce(); %>x"
                             "<% Server.MapPath('/../fuori'); %>");
    EXPECT_TRUE(body.startsWith("<p>Errore alla riga 2 di /p.asp: Error: guasto interno</p>")) << body.toStdString();
    EXPECT_EQ(g_events.last(), "end ");
}

} // namespace

#include "CPageRunnerTest.moc"

// Pages are compiled once per engine and called again: each run must see
// its own request and write its own reply, whatever the runs before it did
// (ended early, failed, were stopped over their time, left globals), and a
// page whose text changed runs its new text.
TEST_F(CPageRunnerTest, APageRunAgainAndAgainSeesItsOwnRequest)
{
    const QString page = "<p>uno</p><%= Request('x') %><p>due</p><% Session.n = 1; lasciata = Request('x'); %><p>tre</p>";
    const QString others[] = {"<% Response.Write('fine'); Response.End(); %>dopo",
                              "<% niente(); %>", "<% var x = Request('x'); globale = x; %><%= x %>"};
    for (int i = 0; i < 300; ++i) {
        const QByteArray request = "GET /p.asp?x=" + QByteArray::number(i) + " HTTP/1.1\r\n\r\n";
        ASSERT_EQ(Run(page, request), "<p>uno</p>" + QString::number(i) + "<p>due</p><p>tre</p>") << i;
        Run(others[i % 3], request);
        if (i == 150)
            EXPECT_EQ(Run("<% Server.ScriptTimeout = 1; while (true) {} %>"),
                      "<p>" + ScriptEngineFactory::TimeoutMessage(std::chrono::seconds(1)) + "</p>");
    }
    EXPECT_EQ(Run(page + "<%= '!' %>", "GET /p.asp?x=ultima HTTP/1.1\r\n\r\n"),
              "<p>uno</p>ultima<p>due</p><p>tre</p>!");
    EXPECT_EQ(runner.ScriptEngine().EnginesMade(), 1);
}
