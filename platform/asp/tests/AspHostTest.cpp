#include "platform/asp/CAspCallGuard.h"
#include "platform/asp/CAspComponent.h"
#include "platform/asp/CAspObjectRegistry.h"
#include "platform/asp/testing/CAspTestHost.h"
#include "platform/asp/testing/CAspTestPage.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

int g_started = 0;
int g_ended = 0;

class ProvaOggetto : public CAspComponent
{
    Q_OBJECT
public:
    void OnStartPage(IAspScriptingContext* context) override
    {
        m_context = context;
        ++g_started;
    }
    void OnEndPage() override { ++g_ended; }

    // A script-facing call that fails inside a nested one.
    int Fallisce()
    {
        return CAspCallGuard::Run(m_context, [&]() -> int {
            return CAspCallGuard::Run(m_context, []() -> int {
                throw std::runtime_error("interno");
            });
        });
    }

    IAspScriptingContext* m_context = nullptr;
};

} // namespace

QTR_ASP_REGISTER(ProvaOggetto)

TEST(AspRegistry, CreatesByProgIdCaseInsensitivelyAndStartsForThePage)
{
    g_started = g_ended = 0;
    CAspTestHost host;
    {
        auto page = host.NewPage();
        EXPECT_NE(page->CreateObject("qtr50.provaoggetto"), nullptr);
        EXPECT_EQ(page->CreateObject("QTR50.Nessuno"), nullptr);
        EXPECT_EQ(g_started, 1);
        EXPECT_EQ(g_ended, 0);
    }
    EXPECT_EQ(g_ended, 1);
}

TEST(AspCallGuard, OutermostCallReportsNestedOnesRethrow)
{
    CAspTestHost host;
    auto page = host.NewPage();
    page->SetThrowOnError(false);
    auto* object = page->Create<ProvaOggetto>("QTR50.ProvaOggetto");
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->Fallisce(), 0);
    EXPECT_EQ(page->Errors(), QStringList{"interno"});
}

TEST(AspCallGuard, ScriptScopeMakesCallsOutermostAgain)
{
    CAspTestHost host;
    auto page = host.NewPage();
    page->SetThrowOnError(false);
    auto* context = static_cast<IAspScriptingContext*>(page.get());
    CAspCallGuard::Run(context, [&] {
        CAspCallGuard::ScriptScope script;
        CAspCallGuard::Run(context, [] { throw std::runtime_error("dallo script"); });
    });
    EXPECT_EQ(page->Errors(), QStringList{"dallo script"});
}

TEST(AspTestHost, RequestItemSearchesCollectionsInOrder)
{
    CAspTestHost host;
    auto page = host.NewPage();
    auto& request = page->TestRequest();
    request.AddForm("Nome", "dal form");
    request.AddCookie("nome", "dal cookie");
    request.AddQueryString("a", "1");
    request.AddQueryString("A", "2");
    EXPECT_EQ(request.Item("NOME"), "dal form");
    EXPECT_EQ(request.Item("a"), "1, 2");
    EXPECT_TRUE(request.Item("assente").isNull());
    EXPECT_EQ(request.Item("request_method"), "GET");
}

TEST(AspTestHost, MapPathStaysInsideTheSite)
{
    CAspTestHost host("/srv/sito");
    host.AddVirtualFolder("/db", "/srv/dati");
    EXPECT_EQ(host.MapPath("/db"), "/srv/dati");
    EXPECT_EQ(host.MapPath("/DB/sqlserver.ini"), "/srv/dati/sqlserver.ini");
    EXPECT_EQ(host.MapPath("/images/a.gif"), "/srv/sito/images/a.gif");
    EXPECT_EQ(host.MapPath("a.htm"), "/srv/sito/a.htm");
    EXPECT_THROW(host.MapPath("/../etc/passwd"), std::runtime_error);
    EXPECT_THROW(host.MapPath("/db/../../x"), std::runtime_error);
}

TEST(AspTestHost, SessionKeysAreCaseInsensitiveAndKeepTheirType)
{
    CAspTestHost host;
    host.Session().SetValue("ShareConn", true);
    EXPECT_EQ(host.Session().Value("sharecONN"), QVariant(true));
    EXPECT_FALSE(host.Session().Value("x").isValid());
    auto page = host.NewPage();
    EXPECT_NE(page->Application(), nullptr);
    host.SetLocalMode(true);
    EXPECT_EQ(page->Application(), nullptr);
}

#include "AspHostTest.moc"
