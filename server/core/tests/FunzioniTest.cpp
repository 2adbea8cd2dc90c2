#include "server/core/Funzioni.h"

#include "platform/ado/CAdoRecordset.h"
#include "platform/asp/CAspRegionalSettings.h"
#include "platform/asp/testing/CAspTestHost.h"
#include "platform/asp/testing/CAspTestPage.h"
#include "platform/testing/TempFolder.h"
#include "platform/utilities/QtrCipher.h"
#include "server/core/testing/CQtrTestShop.h"

#include "platform/mail/tests/SmtpTestServer.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonObject>

#include <QLocale>
#include <QRegularExpression>
#include <QSet>

#include <cmath>
#include <stdexcept>
#include <thread>

TEST(Funzioni, FormattaImportoTakesItsDecimalsFromTheRoundingUnit)
{
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    const struct { double unita; const char* atteso; } casi[] = {
        {1, "1.235"}, {5, "1.235"}, {0.5, "1.234,6"}, {0.01, "1.234,57"}, {0.001, "1.234,568"},
    };
    for (const auto& c : casi)
        EXPECT_EQ(Funzioni::FormattaImporto(1234.5678, c.unita), c.atteso) << c.unita;
    EXPECT_EQ(Funzioni::FormattaImporto(-0.5, 0.01), "-0,50");
    // The same amount again on the same thread, in other settings.
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(Funzioni::FormattaImporto(1234.5678, 0.01), "1234.57");
    CAspRegionalSettings::Set(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(Funzioni::FormattaImporto(1234.5678, 0.01), "1,234.57");
    CAspRegionalSettings::Clear();
}

TEST(Funzioni, ArrotondaRoundsHalfUpToTheUnit)
{
    const struct { double valore, unita, atteso; } casi[] = {
        {2.5, 1, 3}, {2.4, 1, 2}, {7, 5, 5}, {8, 5, 10}, {1.27, 0, 1.27}, {1.27, 0.5, 1.27},
        {1.27, 0.05, 1.27}, {1.275, 0.1, 1.3}, {12.345, 0.01, 12.35}, {-2.5, 1, -2},
        // Exact decimals held a hair below their half in binary still go up.
        {1.005, 0.01, 1.01}, {2.675, 0.01, 2.68}, {0.285, 0.01, 0.29}, {1.15, 0.1, 1.2},
    };
    for (const auto& c : casi)
        EXPECT_DOUBLE_EQ(Funzioni::Arrotonda(c.valore, c.unita), c.atteso) << c.valore << " " << c.unita;
}

// The basket's sums and the bank's amount both count in these units: an
// amount is a whole number of cents (or lire), half up on its decimal
// figure, and agrees with the rounded amount the pages show.
TEST(Funzioni, MinoriCountsWholeUnitsHalfUp)
{
    const struct { double valore, unita; qint64 atteso; } casi[] = {
        {0.29, 0.01, 29}, {0.285, 0.01, 29}, {1.005, 0.01, 101}, {2.675, 0.01, 268}, {173.6, 0.01, 17360},
        {21704.07, 0.01, 2170407}, {0.004999, 0.01, 0}, {0.005, 0.01, 1}, {326455.4, 1, 326455},
        {326455.5, 1, 326456}, {-2.5, 1, -2}, {0, 0.01, 0}, {9999999.99, 0.01, 999999999},
    };
    for (const auto& c : casi) {
        EXPECT_EQ(Funzioni::Minori(c.valore, c.unita), c.atteso) << c.valore << " " << c.unita;
        EXPECT_DOUBLE_EQ(Funzioni::Arrotonda(c.valore, c.unita), double(c.atteso) * c.unita) << c.valore;
    }
    EXPECT_THROW(Funzioni::Minori(1e300, 0.01), std::invalid_argument);
    EXPECT_THROW(Funzioni::Minori(std::nan(""), 0.01), std::invalid_argument);
}

TEST(Funzioni, ConvertiPrezzoGoesThroughTheEuroAndRounds)
{
    EXPECT_DOUBLE_EQ(Funzioni::ConvertiPrezzo(10, 0, 1.25, 0.01), 0);
    EXPECT_DOUBLE_EQ(Funzioni::ConvertiPrezzo(10, 2, 0, 0.01), 0);
    EXPECT_DOUBLE_EQ(Funzioni::ConvertiPrezzo(10, 2, 1.25, 1), 6.0);
    EXPECT_DOUBLE_EQ(Funzioni::ConvertiPrezzo(10, 2, 1.25, 0.5), 6.25);   // not a power of ten: unrounded
    EXPECT_DOUBLE_EQ(Funzioni::ConvertiPrezzo(19.99, 1, 1.3, 0.01), 25.99);
}

TEST(Funzioni, CalcolaScontoComposto)
{
    EXPECT_DOUBLE_EQ(Funzioni::CalcolaScontoComposto(10), 10);
    EXPECT_DOUBLE_EQ(Funzioni::CalcolaScontoComposto("12,5"), 12.5);
    EXPECT_DOUBLE_EQ(Funzioni::CalcolaScontoComposto("50+50+50"), 87.5);
    EXPECT_NEAR(Funzioni::CalcolaScontoComposto("20+10"), 28, 1e-9);
    EXPECT_NEAR(Funzioni::CalcolaScontoComposto("2.5+10"), 12.25, 1e-9);
    EXPECT_NEAR(Funzioni::CalcolaScontoComposto("5+5"), 9.75, 1e-9);
    EXPECT_THROW(Funzioni::CalcolaScontoComposto("5+x"), std::invalid_argument);
}

TEST(Funzioni, EliminaTagHTML)
{
    EXPECT_EQ(Funzioni::EliminaTagHTML("a<b>c</b>d"), "acd");
    EXPECT_EQ(Funzioni::EliminaTagHTML("a<b"), "a");
    EXPECT_EQ(Funzioni::EliminaTagHTML("a>b"), "ab");
    EXPECT_EQ(Funzioni::EliminaTagHTML(""), "");
}

TEST(Funzioni, FormattaDataWritesShortMonthDayAndYear)
{
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(Funzioni::FormattaData(QDateTime(QDate(2004, 3, 5), QTime(9, 7))), "Mar 5, 2004");
}

TEST(Funzioni, DecifraTestoReadsWhatTheDesktopEnciphers)
{
    const QString testo = "Prezzi più bassi, garantiti! €";
    EXPECT_EQ(Funzioni::DecifraTesto(Encrypt(testo)), testo);
    EXPECT_EQ(Funzioni::DecifraTesto(""), "");
    const QString cifrato = Encrypt(testo);
    EXPECT_EQ(cifrato.indexOf(QChar(0xF9)), testo.indexOf(QChar(0xF9)));   // ù passes unchanged
}

TEST(Funzioni, StringaConnessioneChoosesTheEngineAndTheDateDelimiter)
{
    TempFolder folder;
    EXPECT_EQ(Funzioni::StringaConnessione(folder.Path()),
              "DBQ=" + folder.Path()
                  + "/database.mdb;Driver={Microsoft Access Driver (*.mdb)};DriverId=24;FIL=MS Access;");
    EXPECT_EQ(Funzioni::DelimitatoreData(), "#");
    folder.WriteFile("sqlserver.ini", "\"host=127.0.0.1 port=5432 dbname=shop user=postgres\",altro\r\nseconda\r\n");
    EXPECT_EQ(Funzioni::StringaConnessione(folder.Path()), "host=127.0.0.1 port=5432 dbname=shop user=postgres");
    EXPECT_EQ(Funzioni::DelimitatoreData(), "'");
    Funzioni::StringaConnessione(folder.Path() + "/altrove");
}

TEST(Funzioni, NoMailLeavesInLocalMode)
{
    CAspTestHost host(QString(), true);
    auto page = host.NewPage();
    Funzioni::ImpostaServerPosta("127.0.0.1", 1);   // nothing listens there: a send would fail
    EXPECT_NO_THROW(Funzioni::InviaEmail(page.get(), "a@b.test", "c@d.test", "oggetto", "testo"));
    host.SetLocalMode(false);
    EXPECT_THROW(Funzioni::InviaEmail(page.get(), "a@b.test", "c@d.test", "oggetto", "testo"), std::runtime_error);
    Funzioni::ImpostaServerPosta("localhost", 25);
}

TEST(Funzioni, AMessageTheServerRefusesIsReportedAsAnError)
{
    SmtpTestServer smtp;
    ASSERT_EQ(smtp.Start(), "");
    CAspTestHost host(QString(), false);
    auto page = host.NewPage();
    Funzioni::ImpostaServerPosta("127.0.0.1", smtp.Port());
    EXPECT_NO_THROW(Funzioni::InviaEmail(page.get(), "negozio@bottega.test", "cliente@bottega.test", "Ordine",
                                         "Riga uno\n.riga col punto\nèà"));
    try {
        Funzioni::InviaEmail(page.get(), "negozio@bottega.test", "refuse-rcpt@bottega.test", "Ordine", "testo");
        ADD_FAILURE() << "a refused message was reported as sent";
    } catch (const std::runtime_error& e) {
        EXPECT_TRUE(QString::fromUtf8(e.what()).contains("550")) << e.what();
    }
    Funzioni::ImpostaServerPosta("localhost", 25);
    const QList<QJsonObject> messages = smtp.Messages();
    ASSERT_EQ(messages.size(), 1);
    QString body = messages[0]["body"].toString();
    body.replace("\r\n", "\n");
    EXPECT_EQ(body.trimmed(), QString::fromUtf8("Riga uno\n.riga col punto\nèà"));
}

// ---------------------------------------------------------------- on both engines

namespace {

class FunzioniDb : public ::testing::TestWithParam<CAdoConnection::Engine>
{
protected:
    void SetUp() override { m_shop = std::make_unique<CQtrTestShop>(GetParam()); }
    CAdoConnection& Db() { return m_shop->Db(); }
    void Cliente(qint32 id, const QVariant& userID) { m_shop->Insert("Clienti", {{"ID", id}, {"UserID", userID}}); }

    std::unique_ptr<CQtrTestShop> m_shop;
};

} // namespace

TEST_P(FunzioniDb, ProssimoIDHandsOutEachIdOnceInItsRange)
{
    EXPECT_EQ(Funzioni::ProssimoID("Ordini", &Db(), true), 1000000001);
    EXPECT_EQ(Funzioni::ProssimoID("Ordini", &Db(), true), 1000000002);   // even before a row is written
    EXPECT_EQ(Funzioni::ProssimoID("UtentiChat", &Db(), false), 1);

    for (const qint32 id : {7, 1000000000, 1000000001, 1000000005})
        m_shop->Insert("Clienti", {{"ID", id}});
    EXPECT_EQ(Funzioni::ProssimoID("Clienti", &Db(), true), 1000000006);
    EXPECT_EQ(Funzioni::ProssimoID("Clienti", &Db(), false), 8);
    EXPECT_THROW(Funzioni::ProssimoID("Clienti; DROP TABLE Clienti", &Db(), true), std::invalid_argument);
}

TEST_P(FunzioniDb, ProssimoIDIsAtomicAcrossConnections)
{
    constexpr int kPerThread = 25;
    QList<qint32> ids[4];
    QString errors[4];
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            try {
                CAdoConnection conn;
                conn.Open(Funzioni::StringaConnessione(m_shop->DbFolder()));
                for (int i = 0; i < kPerThread; ++i)
                    ids[t].append(Funzioni::ProssimoID("Ordini", &conn, true));
            } catch (const std::exception& error) {
                errors[t] = error.what();
            }
        });
    }
    for (auto& thread : threads)
        thread.join();
    for (const QString& error : errors)
        EXPECT_EQ(error, "");
    QSet<qint32> all;
    for (const auto& list : ids)
        for (const qint32 id : list)
            all.insert(id);
    EXPECT_EQ(all.size(), 4 * kPerThread);
    EXPECT_EQ(*std::min_element(all.begin(), all.end()), 1000000001);
}

TEST_P(FunzioniDb, GeneraUserIDPasswordInTextMode)
{
    const QRegularExpression formato("^[a-z]{3}[0-9]{3}$");
    QString userID, password;
    Funzioni::GeneraUserIDPassword(userID, password, 0, false, "Pia", "Tortellini", 12, &Db());
    EXPECT_EQ(userID, "ptortell");
    EXPECT_TRUE(formato.match(password).hasMatch()) << password.toStdString();

    Cliente(1, "ptortell");
    Funzioni::GeneraUserIDPassword(userID, password, 7, false, "Pia", "Tortellini", 12, &Db());
    EXPECT_EQ(userID, "ptortell12");
    EXPECT_TRUE(QRegularExpression("^[a-z]{4}[0-9]{3}$").match(password).hasMatch());

    Funzioni::GeneraUserIDPassword(userID, password, 0, false, "", " ", 12, &Db());
    EXPECT_EQ(userID, "usr12");
}

TEST_P(FunzioniDb, GeneraUserIDPasswordInNumericModeCountsNumerically)
{
    QString userID = "iniziale", password;
    Funzioni::GeneraUserIDPassword(userID, password, 0, true, "Pia", "Tortellini", 1, &Db());
    EXPECT_EQ(userID, "iniziale");   // no numeric user ID yet
    EXPECT_TRUE(QRegularExpression("^[0-9]{6}$").match(password).hasMatch());

    Cliente(1, "99");
    Cliente(2, "100");
    Cliente(3, "ptortell");
    Cliente(4, QVariant());
    Funzioni::GeneraUserIDPassword(userID, password, 4, true, "", "", 1, &Db());
    EXPECT_EQ(userID, "101");
    EXPECT_EQ(password.size(), 4);
}

// User IDs are unique whatever their case; customers without one are many.
TEST_P(FunzioniDb, AUserIDNamesOneCustomerWhateverItsCase)
{
    Cliente(1, "anna");
    Cliente(2, "");
    Cliente(3, "");
    Cliente(4, QVariant());
    Cliente(5, QVariant());
    EXPECT_ANY_THROW(Cliente(6, "ANNA"));
    Cliente(7, "anna2");
}

// Two pages generate the same user ID at the same moment: the one that
// writes second takes the user ID followed by its customer's ID, and the
// order transaction around it goes on.
TEST_P(FunzioniDb, AGeneratedUserIDTakenMeanwhileIsMadeUnique)
{
    QString userID, password;
    Funzioni::GeneraUserIDPassword(userID, password, 0, false, "Pia", "Tortellini", 1000000007, &Db());
    ASSERT_EQ(userID, "ptortell");
    Cliente(1000000006, "PTortell");   // the other page's customer

    Db().BeginTrans();
    int tentativi = 0;
    Funzioni::InserisciConUserID(&Db(), userID, 1000000007, [&](const QString& scelto) {
        ++tentativi;
        Db().Execute("INSERT INTO Clienti (ID, UserID) VALUES (?, ?)", {1000000007, scelto});
    });
    Db().Execute("INSERT INTO Clienti (ID, UserID) VALUES (?, ?)", {1000000008, ""});
    Db().CommitTrans();
    EXPECT_EQ(tentativi, 2);
    EXPECT_EQ(userID, "ptortell1000000007");
    QSqlQuery rows = Db().Run("SELECT ID, UserID FROM Clienti WHERE ID>=1000000006 ORDER BY ID");
    QStringList scritte;
    while (rows.next())
        scritte << rows.value(0).toString() + "=" + rows.value(1).toString();
    EXPECT_EQ(scritte, (QStringList{"1000000006=PTortell", "1000000007=ptortell1000000007", "1000000008="}));

    // Another fault is no collision: it reaches the caller.
    QString altro = "nuovo";
    EXPECT_ANY_THROW(Funzioni::InserisciConUserID(&Db(), altro, 9, [&](const QString& scelto) {
        Db().Execute("INSERT INTO Clienti (ID, UserID) VALUES (?, ?)", {1000000007, scelto});
    }));
    EXPECT_EQ(altro, "nuovo");
}

INSTANTIATE_TEST_SUITE_P(Engines, FunzioniDb,
                         ::testing::Values(CAdoConnection::SQLite, CAdoConnection::PostgreSQL),
                         [](const auto& info) { return CAdoTestDatabase::EngineName(info.param); });
