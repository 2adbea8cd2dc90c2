#include "platform/pagehost/CPageRunner.h"
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

#include <iostream>
#include <stdexcept>

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
    void OnEndPage() override { g_events.append("end"); }

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

TEST_F(CPageRunnerTest, Dbg)
{
    std::cerr << Run("<%= Request.Form.Item('f') %>|<%= Request.Form.Prova('x') %>|<% var d = {}; Object.defineProperty(d, 'C', {get: function () { return 3; }}); %><%= d.C %>|<%= typeof Request.Form %>|<%= Object.getOwnPropertyNames(Request.Form) %>|<%= Request.Form.Count %>|<% try { for (var f of Request.Form) Response.Write(f.Name); } catch (e) { Response.Write(e.stack + e); } %>",
                             "POST /p.asp?q=uno HTTP/1.1\r\nContent-Length: 11\r\n\r\nf=due&g=tre").toStdString() << std::endl;
}

TEST_F(CPageRunnerTest, SessionIsWrittenByPropertyAndKeepsText)
{
    Run("<% Session.k = 5; Session['Nome'] = 'Anna'; Session.vero = true; %>");
    EXPECT_EQ(session.Item("K"), QVariant("5"));
    EXPECT_EQ(Run("<%= typeof Session('k') %>:<%= Session('NOME') %>:<%= Session.nome %>:<%= Session('vero') %>:"
                  "<%= Session('manca') === undefined %>:<%= Session.Item('k') %>"),
              "string:Anna:Anna:true:true:5");
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
}

TEST_F(CPageRunnerTest, MissingOrEscapingIncludesContributeNothing)
{
    temp.WriteFile("website/segreto.inc", "segreto");
    EXPECT_EQ(runner.ExpandIncludes("a\r\n<!-- #include virtual=\"/nessuno.inc\" -->\r\n"
                                    "<!-- #include virtual=\"../segreto.inc\" -->\r\n<!-- #include virtual -->\r\nb"),
              "a\r\nb");
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
    EXPECT_EQ(g_events, QStringList({"start 7", "end"}));
    EXPECT_EQ(session.Item("Salutato"), QVariant("Eva"));
}

TEST_F(CPageRunnerTest, FailuresOfObjectsAndPathsBecomePageErrors)
{
    const QString body = Run("<% var o = Server.CreateObject('QTR50.ProvaPagina');\r\no.Fallisce(); %>x"
                             "<% Server.MapPath('/../fuori'); %>");
    EXPECT_TRUE(body.startsWith("<p>Errore alla riga 2 di /p.asp: Error: guasto interno</p>")) << body.toStdString();
    EXPECT_EQ(g_events.last(), "end");
}

} // namespace

#include "CPageRunnerTest.moc"
