// The parts of qtr50d that need no running server: its configuration, the
// choice of shop by host name, and the regional settings of formats.
#include "server/host/CHostConfig.h"
#include "server/host/CHostServer.h"
#include "server/host/CSessionStartCache.h"
#include "server/host/CShopSite.h"
#include "server/core/Funzioni.h"
#include "platform/asp/CAspRegionalSettings.h"
#include "platform/testing/TempFolder.h"

#include <gtest/gtest.h>

#include <QDate>
#include <QDir>

#include <thread>

namespace {

struct ConfigCase
{
    const char* name;
    QByteArray ini;
    bool loads;
    QString errorContains;
};

void PrintTo(const ConfigCase& c, std::ostream* out) { *out << c.name; }

class HostConfigTest : public ::testing::TestWithParam<ConfigCase>
{
};

TEST_P(HostConfigTest, LoadsOrSaysWhy)
{
    TempFolder temp;
    temp.WriteFile("qtr50d.ini", GetParam().ini);
    CHostConfig config;
    QString error;
    EXPECT_EQ(config.Load(temp.FilePath("qtr50d.ini"), error), GetParam().loads) << error.toStdString();
    EXPECT_TRUE(error.contains(GetParam().errorContains)) << error.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Files, HostConfigTest,
    ::testing::Values(ConfigCase{"OneShop", "[shop]\nfolder=negozio\n", true, ""},
                      ConfigCase{"ArchivesAndHosts",
                                 "[archives]\npath=/srv/archivi\ndb=/srv/host/db\n[hosts]\nrosa=www.rosa.test rosa.test\n",
                                 true, ""},
                      ConfigCase{"NoShop", "[server]\nport=8080\n", false, "Nessun negozio"},
                      ConfigCase{"HostsWithoutArchives", "[hosts]\nrosa=www.rosa.test\n", false, "archives/path"},
                      ConfigCase{"PortNotANumber", "[server]\nport=ottanta\n[shop]\nfolder=a\n", false, "server/port"},
                      ConfigCase{"PortTooHigh", "[server]\nport=70000\n[shop]\nfolder=a\n", false, "server/port"},
                      ConfigCase{"BadListen", "[server]\nlisten=localhostt\n[shop]\nfolder=a\n", false, "server/listen"},
                      ConfigCase{"BadDebug", "[server]\ndebug=forse\n[shop]\nfolder=a\n", false, "server/debug"},
                      ConfigCase{"BadProxy", "[server]\ntrusted_proxies=10.0.0.1, nginx\n[shop]\nfolder=a\n", false,
                                 "trusted_proxies"},
                      ConfigCase{"NegativeLimit", "[limits]\nmax_body_bytes=-1\n[shop]\nfolder=a\n", false,
                                 "limits/max_body_bytes"},
                      ConfigCase{"MailPortTooHigh", "[mail]\nport=70000\n[shop]\nfolder=a\n", false, "mail/port"},
                      ConfigCase{"MailPortNotANumber", "[mail]\nport=venticinque\n[shop]\nfolder=a\n", false,
                                 "mail/port"},
                      ConfigCase{"CardOrdersPerSessionAtLeastOne",
                                 "[payment]\norders_per_session=0\n[shop]\nfolder=a\n", false,
                                 "payment/orders_per_session"},
                      ConfigCase{"PasswordWarningNotANumber",
                                 "[payment]\npasswords_warning=poche\n[shop]\nfolder=a\n", false,
                                 "payment/passwords_warning"}),
    [](const ::testing::TestParamInfo<ConfigCase>& info) { return std::string(info.param.name); });

TEST(HostConfigDefaultsTest, AreThoseOfTheExampleFile)
{
    TempFolder temp;
    temp.WriteFile("qtr50d.ini", "[shop]\nfolder=negozio\n");
    CHostConfig config;
    QString error;
    ASSERT_TRUE(config.Load(temp.FilePath("qtr50d.ini"), error));
    EXPECT_EQ(config.listen, "127.0.0.1");
    EXPECT_EQ(config.port, 8080);
    EXPECT_GE(config.WorkerCount(), 1);
    EXPECT_EQ(config.sessionTimeoutMinutes, 20);
    EXPECT_FALSE(config.debug);
    ASSERT_EQ(config.shops.size(), 1);
    EXPECT_EQ(config.shops.first().folder, QDir::cleanPath(temp.FilePath("negozio")));
    EXPECT_EQ(config.shops.first().locale, "it_IT");
    EXPECT_EQ(config.mailServer, "localhost");
    EXPECT_EQ(config.mailPort, 25);
    EXPECT_EQ(config.bankAddress, "");
    EXPECT_EQ(config.cardOrdersPerSession, 3);
    EXPECT_EQ(config.cardOrdersPerAddress, 10);
    EXPECT_EQ(config.cardPasswordsWarning, 20);
    // Queued mail is kept private, beside the shop's database.
    EXPECT_EQ(config.mailQueueFolder, QDir::cleanPath(temp.FilePath("negozio")) + "/db/posta");
}

TEST(HostConfigDefaultsTest, MailBankAndSmsGatewayAreRead)
{
    TempFolder temp;
    temp.WriteFile("qtr50d.ini", "[shop]\nfolder=negozio\n[mail]\nserver=relay.lan\nport=2525\n"
                                 "queue=coda\n[payment]\nbank=https://pagamenti.banca.test\n"
                                 "[sms]\ngateway=https://sms.gateway.test\nuser=host\npassword=\"se;greta\"\ntimeout=12\n");
    CHostConfig config;
    QString error;
    ASSERT_TRUE(config.Load(temp.FilePath("qtr50d.ini"), error)) << error.toStdString();
    EXPECT_EQ(config.mailServer, "relay.lan");
    EXPECT_EQ(config.mailPort, 2525);
    EXPECT_EQ(config.bankAddress, "https://pagamenti.banca.test");
    EXPECT_EQ(config.smsGateway, "https://sms.gateway.test");
    EXPECT_EQ(config.smsUser, "host");
    EXPECT_EQ(config.smsPassword, "se;greta");
    EXPECT_EQ(config.smsTimeoutSeconds, 12);
    EXPECT_EQ(config.mailQueueFolder, QDir::cleanPath(temp.FilePath("coda")));
}

TEST(HostConfigDefaultsTest, TheShippedExampleLoads)
{
    CHostConfig config;
    QString error;
    ASSERT_TRUE(config.Load(QStringLiteral(QTR_HOST_EXAMPLE_INI), error)) << error.toStdString();
    EXPECT_EQ(config.listen, "127.0.0.1");
    EXPECT_EQ(config.port, 8080);
    EXPECT_EQ(config.threads, 0);
    EXPECT_EQ(config.maxHeaderBytes, 16384);
    ASSERT_EQ(config.shops.size(), 1);
    EXPECT_EQ(config.shops.first().folder, "/srv/quintaro/negozio");
    EXPECT_EQ(config.shops.first().locale, "it_IT");
    EXPECT_EQ(config.accessLog, "/var/log/quintaro/access.log");
}

// The multi-shop layout: one folder per shop under the archives path,
// chosen by the Host header; a host name nobody serves gets no shop.
TEST(HostShopChoiceTest, GoesByHostName)
{
    TempFolder temp;
    for (const char* shop : {"rosa", "verde"})
        QDir().mkpath(temp.FilePath(QStringLiteral("archivi/%1/db").arg(shop)));
    temp.WriteFile("qtr50d.ini", "[archives]\npath=archivi\n[hosts]\nrosa=www.rosa.test rosa.test\n"
                                 "verde=www.verde.test\n[locales]\nverde=en_US\n");
    CHostConfig config;
    QString error;
    ASSERT_TRUE(config.Load(temp.FilePath("qtr50d.ini"), error)) << error.toStdString();
    CHostServer server(config);
    ASSERT_TRUE(server.MakeShops(error)) << error.toStdString();
    ASSERT_NE(server.ShopFor("rosa.test"), nullptr);
    EXPECT_EQ(server.ShopFor("rosa.test")->Name(), "rosa");
    EXPECT_EQ(server.ShopFor("www.rosa.test")->Folder(), temp.FilePath("archivi/rosa"));
    EXPECT_EQ(server.ShopFor("www.verde.test")->Name(), "verde");
    EXPECT_EQ(server.ShopFor("www.verde.test")->Locale().name(), "en_US");
    EXPECT_EQ(server.ShopFor("www.nero.test"), nullptr);
}

struct FormatCase
{
    const char* name;
    const char* locale;   // nullptr: none set on the thread
    double amount;
    double unit;
    QString expected;
};

void PrintTo(const FormatCase& c, std::ostream* out) { *out << c.name; }

class ShopFormatTest : public ::testing::TestWithParam<FormatCase>
{
};

// Each on a thread of its own, as pages of different shops run.
TEST_P(ShopFormatTest, FollowsTheShopsRegionalSettingsNotTheProcesss)
{
    const FormatCase& c = GetParam();
    const QLocale before = QLocale();
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QString written;
    std::thread page([&] {
        if (c.locale)
            CAspRegionalSettings::Set(QLocale(QString::fromLatin1(c.locale)));
        written = Funzioni::FormattaImporto(c.amount, c.unit);
    });
    page.join();
    QLocale::setDefault(before);
    EXPECT_EQ(written, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Amounts, ShopFormatTest,
    ::testing::Values(FormatCase{"ItalianCents", "it_IT", 12.5, 0.01, "12,50"},
                      FormatCase{"ItalianThousands", "it_IT", 1234.5, 0.01, "1.234,50"},
                      FormatCase{"ItalianWholeUnits", "it_IT", 12.0, 1, "12"},
                      FormatCase{"SwissGerman", "de_CH", 1234.5, 0.01, "1’234.50"},
                      FormatCase{"AmericanShop", "en_US", 1234.5, 0.01, "1,234.50"},
                      FormatCase{"NoShopSetTheProcessLocale", nullptr, 12.5, 0.01, "12.50"}),
    [](const ::testing::TestParamInfo<FormatCase>& info) { return std::string(info.param.name); });

TEST(ShopDateFormatTest, WritesTheMonthInTheShopsLanguage)
{
    QString written;
    std::thread page([&] {
        CAspRegionalSettings::Set(QLocale(QStringLiteral("it_IT")));
        written = Funzioni::FormattaData(QDateTime(QDate(2024, 3, 5), QTime(9, 7)));
    });
    page.join();
    EXPECT_EQ(written, "mar 5, 2024");
}

} // namespace

namespace {

CSessionValues::Values StartOf(const QString& visitor, const QString& shopName)
{
    CSessionValues::Values values;
    values.insert(QStringLiteral("negozio"), {QStringLiteral("Negozio"), shopName});
    values.insert(QStringLiteral("lingua"), {QStringLiteral("Lingua"), QStringLiteral("it")});
    values.insert(QStringLiteral("pagina"), {QStringLiteral("Pagina"), 1});
    values.insert(QStringLiteral("visitatore"), {QStringLiteral("Visitatore"), visitor});
    for (int i = 0; i < 12; ++i)   // the shop's settings, the same for every visitor
        values.insert(QStringLiteral("opzione%1").arg(i), {QStringLiteral("Opzione%1").arg(i), i});
    return values;
}

} // namespace

// Sessions kept as differences from one another come back whole, each its
// own (one that differs in its visitor, one in the shop's name too, one
// that lacks a value the others have); past the capacity the longest idle
// goes.
TEST(SessionStartCacheTest, GivesBackEachSessionAsKeptAndDropsTheLongestIdle)
{
    CSessionStartCache cache(20, 3);
    CSessionValues::Values lacking = StartOf(QStringLiteral("3"), QStringLiteral("Bottega"));
    lacking.remove(QStringLiteral("lingua"));
    const CSessionValues::Values kept[] = {StartOf(QStringLiteral("1"), QStringLiteral("Bottega")),
                                           StartOf(QStringLiteral("2"), QStringLiteral("Emporio")), lacking};
    for (int i = 0; i < 3; ++i)
        cache.Keep(QString::number(i), kept[i]);
    for (int i = 0; i < 3; ++i) {
        CSessionValues::Values found;
        ASSERT_TRUE(cache.Find(QString::number(i), found)) << i;
        EXPECT_EQ(found, kept[i]) << i;
    }
    CSessionValues::Values found;
    EXPECT_FALSE(cache.Find(QStringLiteral("9"), found));
    cache.Find(QStringLiteral("0"), found);   // "1" is now the longest idle
    cache.Keep(QStringLiteral("3"), StartOf(QStringLiteral("4"), QStringLiteral("Emporio")));
    EXPECT_EQ(cache.Size(), 3);
    EXPECT_FALSE(cache.Find(QStringLiteral("1"), found));
    EXPECT_TRUE(cache.Find(QStringLiteral("0"), found));
    cache.Forget(QStringLiteral("0"));
    EXPECT_FALSE(cache.Find(QStringLiteral("0"), found));
}
