#include "server/core/Funzioni.h"
#include "server/core/Dizionario.h"
#include "server/core/Generale.h"
#include "server/core/testing/CQtrTestShop.h"

#include "platform/asp/CAspCallGuard.h"
#include "platform/asp/CAspComponent.h"
#include "platform/asp/CAspObjectRegistry.h"
#include "platform/testing/TempFolder.h"

#include <gtest/gtest.h>

#include <QJSEngine>
#include <QSignalSpy>

#include <memory>

namespace {

// A page whose script errors are raised in the script engine, as a real
// page host does.
class ScriptPage : public CAspTestPage
{
public:
    ScriptPage(CAspTestHost& host, QJSEngine& engine) : CAspTestPage(host), m_engine(engine)
    {
        SetThrowOnError(false);
    }
    void RaiseError(const QString& message) override
    {
        CAspTestPage::RaiseError(message);
        m_engine.throwError(message);
    }

private:
    QJSEngine& m_engine;
};

// Server.CreateObject as a script sees it; the page keeps the objects.
class ScriptServer : public QObject
{
    Q_OBJECT
public:
    explicit ScriptServer(CAspTestPage& page) : m_page(page) {}
    Q_INVOKABLE QObject* CreateObject(const QString& progId)
    {
        CAspCallGuard::ScriptScope script;
        return CAspCallGuard::Run(&m_page, [&]() -> QObject* {
            QObject* object = m_page.CreateObject(progId);
            if (object)
                QJSEngine::setObjectOwnership(object, QJSEngine::CppOwnership);
            return object;
        });
    }

private:
    CAspTestPage& m_page;
};

class PageFlow : public ::testing::TestWithParam<CAdoConnection::Engine> {};

} // namespace

TEST_P(PageFlow, AShopPageRunsItsObjectsFromScript)
{
    CQtrTestShop shop(GetParam());
    shop.AddBasics();
    shop.AddMessage(1, "MSGBENVENUTO", {{"it", "Benvenuto"}, {"en", "Welcome"}});
    shop.AddMessage(2, "PMTCARRELLO", {{"it", "Carrello"}});

    QJSEngine engine;
    ScriptPage page(shop.Host(), engine);
    page.TestRequest().AddQueryString("CodiceLingua", "en");
    page.TestRequest().AddCookie("QTRIDUser", "2004030509070241");
    page.TestRequest().AddCookie("QTRIDCliente", "57");
    ScriptServer server(page);
    engine.globalObject().setProperty("Server", engine.newQObject(&server));

    const QJSValue result = engine.evaluate(R"(
        var out = [];
        var g = Server.CreateObject("QTR50.Generale");
        g.Inizializza();
        g.ImpostaLingua();
        g.IdentificaUtente();
        g.SetShareConn();
        var d = Server.CreateObject("QTR50.Dizionario");
        d.SetConn(g.Conn);
        out.push(d.Traduci("MSGBENVENUTO"), d.Traduci("pmtcarrello"), g.SimboloValuta);
        try { g.ImpostaLunghezzaPaginaProdotti("molte"); } catch (e) { out.push("errore"); }
        d.Free();
        g.Free();
        out.join("|");
    )");
    ASSERT_FALSE(result.isError()) << result.toString().toStdString();
    EXPECT_EQ(result.toString(), "Welcome|Carrello|$|errore");
    EXPECT_EQ(page.Errors().size(), 1);

    CAspTestValues& session = shop.Host().Session();
    EXPECT_EQ(session.Value("CKIDCliente").toString(), "57");
    EXPECT_FALSE(session.Value("OkQTRIDSession").toString().isEmpty());
    EXPECT_TRUE(page.TestResponse().HasCookie("QTRIDSessione"));
    EXPECT_FALSE(page.TestResponse().HasCookie("QTRIDUser"));
    EXPECT_EQ(Funzioni::DelimitatoreData(), GetParam() == CAdoConnection::SQLite ? "#" : "'");
}

TEST_P(PageFlow, FreeThenEndOfPageClosesTheConnectionOnce)
{
    CQtrTestShop shop(GetParam());
    shop.AddBasics();
    shop.AddMessage(1, "MSGBENVENUTO", {{"it", "Benvenuto"}});
    auto page = shop.NewPage();
    auto* generale = page->Create<Generale>("QTR50.Generale");
    generale->Inizializza();
    generale->SetShareConn();
    auto* dizionario = page->Create<Dizionario>("QTR50.Dizionario");
    dizionario->SetConn(generale->Conn());
    EXPECT_EQ(dizionario->Traduci("MSGBENVENUTO"), "Benvenuto");
    QSignalSpy closed(generale->Conn(), SIGNAL(Closed()));
    dizionario->Free();
    generale->Free();
    page->EndPage();   // the host's OnEndPage after the page's own Free
    EXPECT_EQ(closed.count(), 1);
}

// A start that fails (here: no database in the page's /db folder) reaches
// whoever created the object: a C++ caller gets the exception, never an
// object that did not start, and a script gets an error it can catch.
TEST(PageStart, AFailedStartReachesItsCaller)
{
    CAspTestHost host;
    TempFolder empty;
    host.AddVirtualFolder("/db", empty.Path());
    QJSEngine engine;
    ScriptPage page(host, engine);   // errors raised on the page do not throw in C++
    EXPECT_THROW(CAspObjectRegistry::Instance().CreateAndStart("QTR50.Generale", &page), std::exception);

    ScriptServer server(page);
    engine.globalObject().setProperty("Server", engine.newQObject(&server));
    const QJSValue result = engine.evaluate(R"(
        var esito;
        try { var g = Server.CreateObject("QTR50.Generale"); esito = "creato " + g; } catch (e) { esito = "errore"; }
        esito;
    )");
    ASSERT_FALSE(result.isError()) << result.toString().toStdString();
    EXPECT_EQ(result.toString(), "errore");
    EXPECT_EQ(page.Errors().size(), 1);
}

INSTANTIATE_TEST_SUITE_P(Engines, PageFlow,
                         ::testing::Values(CAdoConnection::SQLite, CAdoConnection::PostgreSQL),
                         [](const auto& info) { return CAdoTestDatabase::EngineName(info.param); });

#include "PageFlowTest.moc"
