#include "platform/pagehost/CPageHost.h"
#include "platform/pagehost/CSession.h"
#include "platform/pagehost/CVirtualFolders.h"
#include "platform/testing/TempFolder.h"
#include "server/core/Dizionario.h"
#include "server/core/Generale.h"
#include "server/core/catalogo/Catalogo.h"
#include "server/demo/DemoShopData.h"
#include "server/demo/DemoShopMaker.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>

#include <memory>

namespace {

// The demo shop, made once from the installed pages, reference database
// and data file, as scripts/shop.sh makes it.
class DemoShop
{
public:
    static const QString& Folder()
    {
        static DemoShop shop;
        return shop.m_folder;
    }

private:
    DemoShop() : m_folder(m_temp.FilePath(QStringLiteral("negozio")))
    {
        DemoShopMaker::Make(DemoShopMaker::Installed(QCoreApplication::applicationDirPath()), m_folder);
    }
    TempFolder m_temp;
    QString m_folder;
};

struct Page
{
    int status = 0;
    QString html;
};

// One visitor of the demo shop, served in process by the page host the
// shop server and the preview share: his own Session, pages asked one
// after the other.
class Visitor
{
public:
    Visitor() : m_host(Folders(), m_session, m_globalAsaPending) {}

    Page Get(const QByteArray& target) { return Answer("GET " + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n"); }
    Page Post(const QByteArray& target, const QByteArray& form)
    {
        return Answer("POST " + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\n"
                      "Content-Type: application/x-www-form-urlencoded\r\nContent-Length: "
                      + QByteArray::number(form.size()) + "\r\n\r\n" + form);
    }
    CSession& Session() { return m_session; }

private:
    static const CVirtualFolders& Folders()
    {
        static const CVirtualFolders folders = [] {
            CVirtualFolders f;
            f.SetRootDir(DemoShop::Folder());
            return f;
        }();
        return folders;
    }

    Page Answer(const QByteArray& request)
    {
        const CHttpReply reply = m_host.Answer(request);
        Page page;
        page.status = reply.head.mid(9, 3).toInt();
        page.html = QString::fromUtf8(reply.body);
        return page;
    }

    CSession m_session;
    std::atomic<bool> m_globalAsaPending{true};
    CPageHost m_host;
};

class ShopPages : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        // The classes register themselves when their library is loaded.
        ASSERT_STREQ(Generale::staticMetaObject.className(), "Generale");
        ASSERT_STREQ(Dizionario::staticMetaObject.className(), "Dizionario");
        ASSERT_STREQ(Catalogo::staticMetaObject.className(), "Catalogo");
        // The demo shop is Italian: amounts read "30,38".
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
        ASSERT_FALSE(DemoShop::Folder().isEmpty());
    }
    static void TearDownTestSuite() { QLocale::setDefault(QLocale::c()); }

    static int Count(const QString& html, const QString& what) { return static_cast<int>(html.count(what)); }
    // The page's script errors show in the page, as in the preview.
    static void ExpectSound(const Page& page)
    {
        EXPECT_EQ(page.status, 200);
        // Only blank lines, which HTML allows, come before the doctype.
        EXPECT_TRUE(page.html.trimmed().startsWith(QStringLiteral("<!DOCTYPE html>"))) << page.html.left(300).toStdString();
        EXPECT_TRUE(page.html.contains(QStringLiteral("<meta charset=\"utf-8\">")));
        EXPECT_TRUE(page.html.trimmed().endsWith(QStringLiteral("</html>"))) << page.html.right(600).toStdString();
    }

    Visitor visitor;
};

TEST_F(ShopPages, HomeShowsEveryCategoryWithItsCountAndAShowcaseOfDistinctProducts)
{
    const Page home = visitor.Get("/default.asp");
    ExpectSound(home);
    EXPECT_TRUE(home.html.contains(QStringLiteral("<title>Home · Bottega del Lago s.n.c.</title>")));
    for (const char* category : {"Cucina", "Tavola", "Tessili per la casa", "Illuminazione", "Giardino e terrazzo"})
        EXPECT_GE(Count(home.html, QString::fromUtf8(category)), 2) << category;   // menu and tiles
    EXPECT_EQ(Count(home.html, QStringLiteral("<span class=\"categoria-conta\">8 prodotti</span>")), 5);
    EXPECT_TRUE(home.html.contains(QStringLiteral("src=\"/images/categorie/it/1.jpg\"")));

    QSet<QString> shown;
    static const QRegularExpression card(QStringLiteral("<li class=\"scheda\"><a href=\"/prodotto.asp\\?IDProdotto=(\\d+)\""));
    for (auto it = card.globalMatch(home.html); it.hasNext();)
        shown.insert(it.next().captured(1));
    EXPECT_EQ(shown.size(), 8);
    EXPECT_EQ(Count(home.html, QStringLiteral("<li class=\"scheda\">")), 8);
    EXPECT_FALSE(shown.contains(QStringLiteral("109"))) << "a variant is shown through its base product";
}

TEST_F(ShopPages, CategoryPagesSixProductsAtATimeInTheirOrder)
{
    const Page first = visitor.Get("/categoria.asp?IDCategoria=2");
    ExpectSound(first);
    EXPECT_TRUE(first.html.contains(QStringLiteral("<h1>Tavola</h1>")));
    EXPECT_EQ(Count(first.html, QStringLiteral("<li class=\"scheda\">")), 6);
    EXPECT_TRUE(first.html.contains(QStringLiteral("Servizio di piatti blu lago")));
    EXPECT_FALSE(first.html.contains(QStringLiteral("Vassoio in rattan")));
    EXPECT_TRUE(first.html.contains(QStringLiteral("<span class=\"numero attivo\" aria-current=\"page\">1</span>")));
    EXPECT_TRUE(first.html.contains(QStringLiteral("href=\"/categoria.asp?IDCategoria=2&amp;Page=2\"")));

    const Page second = visitor.Get("/categoria.asp?IDCategoria=2&Page=2");
    ExpectSound(second);
    EXPECT_EQ(Count(second.html, QStringLiteral("<li class=\"scheda\">")), 2);
    EXPECT_TRUE(second.html.contains(QStringLiteral("Zuccheriera in acciaio")));
    EXPECT_TRUE(second.html.contains(QStringLiteral("Vassoio in rattan")));
    EXPECT_TRUE(second.html.contains(QStringLiteral("rel=\"prev\"")));
    EXPECT_FALSE(second.html.contains(QStringLiteral("rel=\"next\"")));

    // A page past the last shows the last.
    const Page beyond = visitor.Get("/categoria.asp?IDCategoria=2&Page=9");
    EXPECT_EQ(Count(beyond.html, QStringLiteral("<li class=\"scheda\">")), 2);
}

// The demo's products carry their search words as the product card writes
// them: a word of the name or description, or the code, finds the product.
TEST_F(ShopPages, SearchFindsTheDemosProductsByTheirWordsAndCode)
{
    for (const QByteArray& words : {QByteArray("casseruola"), QByteArray("GHISA+smaltata"), QByteArray("cuc-102")}) {
        const Page page = visitor.Get("/ricerca.asp?Action=i&ParoleChiave=" + words);
        ExpectSound(page);
        EXPECT_TRUE(page.html.contains(QStringLiteral("Casseruola in ghisa smaltata"))) << words.toStdString();
        EXPECT_TRUE(page.html.contains(QStringLiteral("href=\"/prodotto.asp?IDProdotto=102\""))) << words.toStdString();
    }
    const Page none = visitor.Get("/ricerca.asp?Action=i&ParoleChiave=astronave");
    ExpectSound(none);
    EXPECT_FALSE(none.html.contains(QStringLiteral("IDProdotto=102")));
}

struct ProductCase
{
    const char* name;
    const char* target;
    const char* productName;
    const char* price;         // the price paid, VAT included, as shown
    const char* alsoShown;     // another text the page must hold
};

void PrintTo(const ProductCase& c, std::ostream* os) { *os << c.name; }

class ProductPages : public ShopPages, public ::testing::WithParamInterface<ProductCase> {};

// Prices worked out by hand from the data file; the shop shows prices with
// 22% VAT, rounded to the cent:
//   moka 24.90 + 5.48 VAT = 30.38; its 6-cup version 32.50 + 7.15 = 39.65;
//   carafe 18.00 less its 20% offer = 14.40 + 3.17 = 17.57, list 18.00 + 3.96 = 21.96.
TEST_P(ProductPages, ShowNamePriceAndTheirDetails)
{
    const ProductCase& c = GetParam();
    Page page = visitor.Get(c.target);
    ExpectSound(page);
    EXPECT_TRUE(page.html.contains(QStringLiteral("<h1 id=\"nome-prodotto\">") + QString::fromUtf8(c.productName) + "</h1>"));
    EXPECT_TRUE(page.html.contains(QStringLiteral("<span id=\"prezzo-prodotto\"><span class=\"prezzo\">")));
    EXPECT_TRUE(page.html.contains(QStringLiteral("<strong>€&nbsp;") + QString::fromUtf8(c.price) + "</strong>"))
        << page.html.toStdString();
    EXPECT_TRUE(page.html.contains(QString::fromUtf8(c.alsoShown))) << c.alsoShown;
}

INSTANTIATE_TEST_SUITE_P(
    DemoShop, ProductPages,
    ::testing::Values(
        ProductCase{"ListPriceWithVat", "/prodotto.asp?IDProdotto=101", "Caffettiera moka 3 tazze", "30,38",
                    "src=\"/images/prodotti/101.jpg\""},
        ProductCase{"VariantListedWithItsPrice", "/prodotto.asp?IDProdotto=101", "Caffettiera moka 3 tazze", "30,38",
                    "<a href=\"/prodotto.asp?IDProdotto=109\">Caffettiera moka 6 tazze</a> <span class=\"prezzo\">"
                    "<strong>€&nbsp;39,65</strong>"},
        ProductCase{"VariantOnItsOwn", "/prodotto.asp?IDProdotto=109", "Caffettiera moka 6 tazze", "39,65", "CUC-101-6"},
        ProductCase{"OfferStrikesTheListPrice", "/prodotto.asp?IDProdotto=203", "Caraffa in vetro soffiato", "17,57",
                    "<del>€&nbsp;21,96</del>"},
        ProductCase{"QuantityTiers", "/prodotto.asp?IDProdotto=205", "Bicchiere da acqua", "5,49",
                    "<th scope=\"row\">fino a 11 pezzi</th>\n              <td>−5%</td>"},
        ProductCase{"Colours", "/prodotto.asp?IDProdotto=301", "Tovaglia in lino", "51,24",
                    "src=\"/images/prodotti/colori/th/2.jpg\" alt=\"\" width=\"56\" height=\"56\"><span>Salvia</span>"},
        ProductCase{"ChosenColourPhoto", "/prodotto.asp?IDProdotto=301&IDColore=3", "Tovaglia in lino", "51,24",
                    "<img id=\"foto-prodotto\" src=\"/images/prodotti/colori/3.jpg\""},
        ProductCase{"EnglishOnRequest", "/prodotto.asp?IDProdotto=101&CodiceLingua=en", "Moka coffee maker, 3 cups",
                    "30,38", "VAT included"}),
    [](const auto& info) { return std::string(info.param.name); });

// The product page describes the water glasses' tiers as the basket
// charges them: a tier takes every quantity up to its own, and the first
// that takes the quantity decides. 4.50 before VAT: up to 5 full price,
// 5.49; 6 to 11 less 5%, 4.275 cut to 4.28 + 0.94 VAT = 5.22; 12 to 23 less
// 10%, 4.05 + 0.89 = 4.94; beyond 23 less 15%, 3.825 cut to 3.83 + 0.84 =
// 4.67.
TEST_F(ShopPages, TheProductPagesQuantityTiersAreWhatTheBasketCharges)
{
    const Page product = visitor.Get("/prodotto.asp?IDProdotto=205");
    ExpectSound(product);
    QStringList tiers;
    static const QRegularExpression row(QStringLiteral("<th scope=\"row\">([^<]*)</th>\\s*<td>([^<]*)</td>"));
    const qsizetype table = product.html.indexOf(QStringLiteral("class=\"fasce\""));
    ASSERT_GE(table, 0);
    for (auto it = row.globalMatch(product.html.mid(table)); it.hasNext();) {
        const auto m = it.next();
        tiers << m.captured(1) + ": " + m.captured(2);
    }
    EXPECT_EQ(tiers, (QStringList{"fino a 5 pezzi: prezzo pieno", "fino a 11 pezzi: −5%", "fino a 23 pezzi: −10%",
                                  "oltre 23 pezzi: −15%"}));

    static const QRegularExpression unit(QStringLiteral("class=\"prezzo-unitario\">€&nbsp;([0-9,]+)<"));
    const QList<QPair<int, QString>> charged = {{1, "5,49"},  {5, "5,49"},  {6, "5,22"},  {11, "5,22"},
                                                {12, "4,94"}, {23, "4,94"}, {24, "4,67"}, {500, "4,67"}};
    for (const auto& [quantity, price] : charged) {
        Visitor buyer;
        const Page basket =
            buyer.Get("/carrello.asp?Operazione=aggiungi&IDProdotto=205&Quantita=" + QByteArray::number(quantity));
        EXPECT_EQ(unit.match(basket.html).captured(1), price) << quantity;
    }
}

// A reseller signed in (his customer row in the Session, as the members'
// login will put it) pays his group's 10%: 24.90 - 2.49 = 22.41, VAT 4.93,
// 27.34; the list price stays struck through beside it.
TEST_F(ShopPages, ASignedInResellerSeesHisGroupDiscount)
{
    visitor.Get("/default.asp");
    ASSERT_TRUE(visitor.Session().SetItem(QStringLiteral("IDUtente"), 2));
    ASSERT_TRUE(visitor.Session().SetItem(QStringLiteral("IDGruppo"), 1));
    const Page page = visitor.Get("/prodotto.asp?IDProdotto=101");
    ExpectSound(page);
    EXPECT_TRUE(page.html.contains(QStringLiteral("<del>€&nbsp;30,38</del> <strong>€&nbsp;27,34</strong>")))
        << page.html.toStdString();
    EXPECT_TRUE(page.html.contains(QStringLiteral("<p class=\"tuo-sconto\" id=\"sconto-cliente\">Il tuo sconto: 10%</p>")));
}

TEST_F(ShopPages, TheLanguageChosenStaysForTheVisitorsNextPagesAndUnknownCodesAreIgnored)
{
    const Page italian = visitor.Get("/default.asp");
    EXPECT_TRUE(italian.html.contains(QStringLiteral("<html lang=\"it\">")));
    EXPECT_TRUE(italian.html.contains(QStringLiteral("href=\"/default.asp?CodiceLingua=en\"")));

    const Page english = visitor.Get("/categoria.asp?IDCategoria=3&CodiceLingua=en");
    ExpectSound(english);
    EXPECT_TRUE(english.html.contains(QStringLiteral("<html lang=\"en\">")));
    EXPECT_TRUE(english.html.contains(QStringLiteral("<h1>Home textiles</h1>")));
    EXPECT_TRUE(english.html.contains(QStringLiteral("Linen tablecloth")));
    EXPECT_TRUE(english.html.contains(QStringLiteral("href=\"/categoria.asp?IDCategoria=3&amp;CodiceLingua=it\"")));

    const Page stays = visitor.Get("/azienda.asp?CodiceLingua=xx");
    ExpectSound(stays);
    EXPECT_TRUE(stays.html.contains(QStringLiteral("<h1>About us</h1>")));
    EXPECT_TRUE(stays.html.contains(QStringLiteral("opened in 1987")));

    const Page back = visitor.Get("/azienda.asp?CodiceLingua=it");
    EXPECT_TRUE(back.html.contains(QStringLiteral("<h1>Chi siamo</h1>")));
    EXPECT_TRUE(back.html.contains(QStringLiteral("nasce nel 1987")));
    EXPECT_TRUE(back.html.contains(QStringLiteral("info@bottegadellago.example")));
    EXPECT_TRUE(back.html.contains(QStringLiteral("<dd>01234560139</dd>"))) << "a text setting keeps its leading zero";

    // A posted form never switches: Generale would take the form's code.
    const Page posted = visitor.Post("/contatti.asp?CodiceLingua=en", "CodiceLingua=xx&Mittente=Anna");
    ExpectSound(posted);
    EXPECT_TRUE(posted.html.contains(QStringLiteral("<html lang=\"it\">")));

    Visitor other;
    EXPECT_TRUE(other.Get("/default.asp").html.contains(QStringLiteral("<html lang=\"it\">")))
        << "one visitor's language is his own";
}

// What a visitor types reaches the page as text, never as markup.
TEST_F(ShopPages, VisitorTextIsEscapedAndBadArgumentsShowNotFound)
{
    const Page category = visitor.Get("/categoria.asp?IDCategoria=%3Cscript%3Ealert(1)%3C/script%3E&Page=x");
    ExpectSound(category);
    EXPECT_TRUE(category.html.contains(QStringLiteral("La pagina che cercavi non c")));
    EXPECT_FALSE(category.html.contains(QStringLiteral("<script>")));

    const Page product = visitor.Get("/prodotto.asp?IDProdotto=999999");
    ExpectSound(product);
    EXPECT_TRUE(product.html.contains(QStringLiteral("La pagina che cercavi non c")));

    const Page contact = visitor.Post("/contatti.asp", "Mittente=%3Cb%3EAnna%3C%2Fb%3E&Email=non-valida&Messaggio=%22ciao%22");
    ExpectSound(contact);
    EXPECT_TRUE(contact.html.contains(QStringLiteral("role=\"alert\">Scrivere il nome")));
    EXPECT_TRUE(contact.html.contains(QStringLiteral("value=\"&lt;b&gt;Anna&lt;/b&gt;\"")));
    EXPECT_TRUE(contact.html.contains(QStringLiteral(">&quot;ciao&quot;</textarea>")));
    EXPECT_FALSE(contact.html.contains(QStringLiteral("<b>Anna")));
}

// The merchant's logo for a language heads that language's pages; a shop
// without one shows its name.
TEST_F(ShopPages, TheLogoOfTheVisitorsLanguageHeadsThePage)
{
    const QString logo = QDir(DemoShop::Folder()).filePath(QStringLiteral("images/en/su_logo.gif"));
    QDir().mkpath(QFileInfo(logo).absolutePath());
    QFile file(logo);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("GIF89a");
    file.close();
    const Page english = visitor.Get("/default.asp?CodiceLingua=en");
    const Page italian = Visitor().Get("/default.asp");
    QFile::remove(logo);
    EXPECT_TRUE(english.html.contains(
        QStringLiteral("<img class=\"logo\" src=\"/images/en/su_logo.gif\" alt=\"Bottega del Lago s.n.c.\">")));
    EXPECT_FALSE(italian.html.contains(QStringLiteral("su_logo.gif")));
    EXPECT_TRUE(italian.html.contains(QStringLiteral("<span class=\"marchio-segno\" aria-hidden=\"true\"></span>Bottega")));
}

TEST_F(ShopPages, AContactMessageIsAcknowledged)
{
    const Page form = visitor.Get("/contatti.asp");
    ExpectSound(form);
    EXPECT_TRUE(form.html.contains(QStringLiteral("<form class=\"modulo\" method=\"post\" action=\"/contatti.asp\">")));
    const Page sent = visitor.Post("/contatti.asp", "Mittente=Anna&Email=anna%40example.org&Telefono=031&Messaggio=Ciao");
    ExpectSound(sent);
    EXPECT_TRUE(sent.html.contains(QStringLiteral("role=\"status\">Grazie, il tuo messaggio è stato inviato.")));
}

// The members' pages answer whole in each of the shop's languages, their
// captions from the dictionary, and the header and home page lead to them.
TEST_F(ShopPages, TheMembersPagesInEachLanguage)
{
    struct Caso
    {
        const char* pagina;
        const char* italiano;
        const char* inglese;
    };
    for (const Caso& caso : {Caso{"/registrazione.asp", "<h1>Registrati</h1>", "<h1>Sign up</h1>"},
                             Caso{"/profilo.asp", "<h1>Il mio profilo</h1>", "<h1>My profile</h1>"},
                             Caso{"/recuperopassword.asp", "<h1>Password dimenticata?</h1>", "<h1>Forgot your password?</h1>"},
                             Caso{"/interessi.asp", "<h1>I miei interessi</h1>", "<h1>My interests</h1>"},
                             Caso{"/clienti.asp", "<h1>I miei clienti</h1>", "<h1>My customers</h1>"},
                             Caso{"/destinatari.asp", "<h1>I miei destinatari</h1>", "<h1>My consignees</h1>"}}) {
        const Page italiano = Visitor().Get(caso.pagina);
        ExpectSound(italiano);
        EXPECT_TRUE(italiano.html.contains(QString::fromUtf8(caso.italiano))) << caso.pagina;
        const Page inglese = Visitor().Get(QByteArray(caso.pagina) + "?CodiceLingua=en");
        ExpectSound(inglese);
        EXPECT_TRUE(inglese.html.contains(QString::fromUtf8(caso.inglese))) << caso.pagina;
    }
    const Page interessi = Visitor().Get("/interessi.asp?CodiceLingua=en");
    EXPECT_TRUE(interessi.html.contains(QStringLiteral("<strong>Recipes and tips</strong>")));
    const Page home = visitor.Get("/default.asp");
    EXPECT_TRUE(home.html.contains(QStringLiteral("id=\"link-registrazione\" href=\"/registrazione.asp\"")));
    for (const char* link : {"/accesso.asp", "/registrazione.asp", "/recuperopassword.asp", "/interessi.asp"})
        EXPECT_TRUE(home.html.contains(QStringLiteral("<li><a href=\"%1\">").arg(QLatin1String(link)))) << link;
    visitor.Post("/accesso.asp", "UserID=rivenditore&Password=lago2024");
    const Page membro = visitor.Get("/default.asp");
    EXPECT_TRUE(membro.html.contains(QStringLiteral("id=\"link-profilo\" href=\"/profilo.asp\"")));
    for (const char* link : {"/profilo.asp", "/interessi.asp", "/destinatari.asp", "/ordini.asp"})
        EXPECT_TRUE(membro.html.contains(QStringLiteral("<li><a href=\"%1\">").arg(QLatin1String(link)))) << link;
    const Page destinatari = visitor.Get("/destinatari.asp");
    ExpectSound(destinatari);
    EXPECT_TRUE(destinatari.html.contains(QStringLiteral("Via del Porto 3")));
}

TEST(DemoShopMaker, MakesTheFolderTheShopServerServes)
{
    const QDir shop(DemoShop::Folder());
    for (const char* file : {"default.asp", "global.asa", "comune.inc", "testa.inc", "piede.inc", "stile.css",
                             "db/database.mdb", "images/prodotti/101.jpg", "images/prodotti/th/101.jpg",
                             "images/prodotti/colori/1.jpg", "images/prodotti/colori/th/1.jpg",
                             "images/categorie/it/1.jpg", "images/categorie/en/5.jpg"})
        EXPECT_TRUE(QFileInfo(shop.filePath(QString::fromLatin1(file))).isFile()) << file;
    EXPECT_EQ(shop.entryList({QStringLiteral("*.jpg")}, QDir::Files).size(), 0);
    EXPECT_EQ(QDir(shop.filePath(QStringLiteral("images/prodotti"))).entryList({QStringLiteral("*.jpg")}).size(), 41);
}

// A fault in the data leaves no half-made shop behind, and an earlier shop
// in its place stays as it was.
TEST(DemoShopMaker, AFaultLeavesTheTargetAsItWas)
{
    TempFolder temp;
    temp.WriteFile(QStringLiteral("dati.txt"), "[Negozio]\nRagioneSociale = X\n[Prodotto 1]\nCategoria = 1\nPrezzo = 3\nTinta = nessuna\n");
    temp.WriteFile(QStringLiteral("negozio/vecchio.txt"), "resta");
    DemoShopMaker::Sources sources = DemoShopMaker::Installed(QCoreApplication::applicationDirPath());
    sources.data = temp.FilePath(QStringLiteral("dati.txt"));
    EXPECT_THROW(DemoShopMaker::Make(sources, temp.FilePath(QStringLiteral("negozio"))), DemoDataError);
    EXPECT_EQ(temp.ReadFile(QStringLiteral("negozio/vecchio.txt")), "resta");
    EXPECT_FALSE(temp.Exists(QStringLiteral("negozio.part")));
}

} // namespace
