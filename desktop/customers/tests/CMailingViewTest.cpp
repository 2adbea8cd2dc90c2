// The mailing view: recipients chosen by interests and kinds with the
// checked IDs bound, labels, the promoted products' text, the checks
// before a run, texts kept per language, mailing.ini, and one run through
// the window on its worker to a real SMTP server.

#include "desktop/customers/CMailingView.h"
#include "desktop/customers/CMailingViewCore.h"
#include "desktop/customers/tests/CustomersFixture.h"
#include "desktop/shell/controls/CMessageBoxScript.h"
#include "platform/mail/tests/SmtpTestServer.h"
#include "recordset/CProdottiLingueSet.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

class Mailing : public ::testing::Test
{
protected:
    void SetUp() override
    {
        shop.AddInterest(5, 1);
        shop.AddInterest(9, 2);
        shop.AddInterestText(1, 5, "it", "Vini");
        shop.AddInterestText(2, 9, "it", "Formaggi");
        shop.AddCustomer(1, "Enoteca Bassi", "Bassi", "Bruno", 0, {{"Email", "b@bassi.it"}, {"CodiceLingua", "en"}});
        shop.AddCustomer(2, "", "Neri", "Ada", 1, {{"Email", "ada@neri.it"}, {"Cellulare", "333 1"}});
        shop.AddCustomer(3, "Agenzia", "", "", 3, {{"Email", "agenzia@example.com"}});
        shop.AddCustomer(4, "Mail", "Mori", "Mia", 2, {{"Email", "m@mori.it"}});
        int row = 1;
        for (const auto& [user, interest] : {std::pair{1, 5}, {1, 9}, {2, 9}, {3, 5}, {4, 5}})
            shop.Row("InteressiUtenti", {{"ID", row++}, {"IDUtente", user}, {"IDInteresse", interest}});
    }

    static void Check(QList<CMailingViewCore::Check>& checks, std::initializer_list<qint32> ids)
    {
        for (auto& check : checks)
            check.bChecked = std::find(ids.begin(), ids.end(), check.nID) != ids.end();
    }

    CustomersFixture shop;
    CMessageBoxScript boxes;
};

TEST_F(Mailing, RecipientsHaveACheckedInterestAndACheckedKind)
{
    CMailingViewCore core(shop.Db(), shop.Folder(), "it", "it");
    Check(core.Interests(), {5, 9});
    Check(core.Kinds(), {0, 3});
    QVariantList values;
    const QString sql = core.BuildRecipientsSql(values);
    EXPECT_EQ(values, (QVariantList{5, 9, 0, 3}));
    EXPECT_TRUE(sql.contains("IN (?,?) AND Clienti.TipoUtente IN (?,?)"));
    const QList<MailingRecipient> recipients = core.Recipients();
    ASSERT_EQ(recipients.size(), 2);   // one row per user, however many interests
    EXPECT_EQ(recipients.at(0).strLabel, QStringLiteral("Enoteca Bassi (Bruno Bassi) : b@bassi.it"));
    EXPECT_EQ(recipients.at(0).strLingua, QStringLiteral("en"));
    EXPECT_EQ(recipients.at(1).strLabel, QStringLiteral("Agenzia : agenzia@example.com"));
    EXPECT_EQ(recipients.at(1).strLingua, QStringLiteral("it"));

    Check(core.Kinds(), {2});
    Check(core.Interests(), {9});
    EXPECT_TRUE(core.ShowRecipients().isEmpty());
    EXPECT_EQ(boxes.LastText(), QStringLiteral("Nessun utente selezionato."));
}

TEST_F(Mailing, ALabelIsMadeOfWhatTheUserHas)
{
    EXPECT_EQ(CMailingViewCore::Label("Rossi Srl", "", "", "r@x.it"), QStringLiteral("Rossi Srl : r@x.it"));
    EXPECT_EQ(CMailingViewCore::Label("Rossi Srl", "Mario", "Rossi", "r@x.it"),
              QStringLiteral("Rossi Srl (Mario Rossi) : r@x.it"));
    EXPECT_EQ(CMailingViewCore::Label("", "Mario", "Rossi", ""), QStringLiteral("Mario Rossi : "));
    EXPECT_EQ(CMailingViewCore::Label("", "", "", "r@x.it"), QStringLiteral("r@x.it"));
}

TEST_F(Mailing, TheChecksComeInTheirOrder)
{
    CMailingViewCore core(shop.Db(), shop.Folder(), "it", "it");
    EXPECT_FALSE(core.Validate(false, false));
    EXPECT_EQ(boxes.LastText(), QStringLiteral("Selezionare l'invio di almeno un tipo di messaggio!"));
    core.Message().strSender = "negozio@example.com";
    EXPECT_FALSE(core.Validate(true, false));
    EXPECT_EQ(boxes.LastText(), QStringLiteral("Specificare l'oggetto del messaggio!"));
    core.Message().strSubject = "Saldi";
    EXPECT_FALSE(core.Validate(true, false));
    EXPECT_EQ(boxes.LastText(), QStringLiteral("Specificare il server STMP!"));
    core.Message().strServer = "127.0.0.1";
    core.Message().strBody = "Testo";
    EXPECT_FALSE(core.Validate(true, true));
    EXPECT_EQ(boxes.LastText(), QStringLiteral("Il contenuto del messaggio SMS è vuoto!"));
    EXPECT_FALSE(core.Validate(true, false));
    EXPECT_EQ(boxes.LastText(), QStringLiteral("Specificare almeno una categoria di interesse!"));
    Check(core.Interests(), {5});
    Check(core.Kinds(), {});
    EXPECT_FALSE(core.Validate(true, false));
    EXPECT_EQ(boxes.LastText(), QStringLiteral("Specificare almeno un tipo di destinatario!"));
    Check(core.Kinds(), {0});
    EXPECT_TRUE(core.Validate(true, false));
}

TEST_F(Mailing, TextsAreKeptPerLanguageAndTheSettingsInMailingIni)
{
    {
        CMailingViewCore core(shop.Db(), shop.Folder(), "it", "it");
        core.Message().strSubject = "Oggetto";
        core.Message().strSender = "negozio@example.com";
        core.Message().strServer = "smtp.example.com";
        core.ProductUrl() = "https://negozio.example.com/scheda.asp";
        core.RefreshLanguage("en");
        // No English subject yet: the default language's is shown.
        EXPECT_EQ(core.Message().strSubject, QStringLiteral("Oggetto"));
        core.Message().strSubject = "Subject";
        core.RefreshLanguage("it");
        EXPECT_EQ(core.Message().strSubject, QStringLiteral("Oggetto"));
        core.RefreshLanguage("en");
        EXPECT_EQ(core.Message().strSubject, QStringLiteral("Subject"));
        core.WriteIni();
    }
    QFile ini(shop.Folder() + "mailing.ini");
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    EXPECT_EQ(ini.readAll().replace("\r\n", "\n"),
              QByteArray("negozio@example.com\nsmtp.example.com\nhttps://negozio.example.com/scheda.asp\n"));
    CMailingViewCore again(shop.Db(), shop.Folder(), "it", "it");
    EXPECT_EQ(again.Message().strServer, QStringLiteral("smtp.example.com"));
    EXPECT_EQ(again.ProductUrl(), QStringLiteral("https://negozio.example.com/scheda.asp"));
}

TEST_F(Mailing, ThePromoTextListsTheFlaggedProducts)
{
    shop.Row("Prodotti", {{"ID", 1}, {"Codice", "VIN01"}, {"Mailing", 1}, {"Ordine", 2}});
    shop.Row("Prodotti", {{"ID", 2}, {"Codice", "FOR01"}, {"Mailing", 1}, {"Ordine", 1}});
    shop.Row("Prodotti", {{"ID", 3}, {"Codice", "NO"}, {"Mailing", 0}, {"Ordine", 3}});
    CProdottiLingueSet texts(&shop.Db());
    texts.m_bTracking = false;
    texts.Open();
    for (const auto& [id, name] : {std::pair{1, "Barolo"}, {2, "Gorgonzola"}}) {
        texts.AddNew();
        texts.m_ID = id;
        texts.m_IDProdotto = id;
        texts.m_CodiceLingua = "it";
        texts.m_Nome = QString::fromUtf8(name);
        texts.Update();
    }
    CMailingViewCore core(shop.Db(), shop.Folder(), "it", "it");
    core.ProductUrl() = "https://n.example.com/p.asp";
    Check(core.Fields(), {1, 2, 6});
    EXPECT_EQ(core.BuildPromoText("en"),
              QStringLiteral("FOR01 - Gorgonzola\r\nhttps://n.example.com/p.asp?CodiceLingua=en&IDProdotto=2\r\n\r\n"
                             "VIN01 - Barolo\r\nhttps://n.example.com/p.asp?CodiceLingua=en&IDProdotto=1\r\n\r\n"));
    Check(core.Fields(), {2});
    EXPECT_EQ(core.BuildPromoText(), QStringLiteral("Gorgonzola\r\n\r\nBarolo\r\n\r\n"));
}

TEST_F(Mailing, TheViewRunsTheMailingOnItsWorkerAndShowsTheLog)
{
    SmtpTestServer server;
    ASSERT_TRUE(server.Start().isEmpty());
    CMailingView view(shop.Db(), shop.Folder(), "it", "it");
    QString shownLog;
    view.m_showLog = [&](const QString& log) { shownLog = log; };
    view.Edit(CMailingView::EditSender)->setText("negozio@example.com");
    view.Edit(CMailingView::EditServer)->setText(QStringLiteral("127.0.0.1:%1").arg(server.Port()));
    view.Edit(CMailingView::EditSubject)->setText(QStringLiteral("Novità"));
    view.BodyEdit()->setPlainText(QStringLiteral("Riga uno\nRiga due"));
    view.InterestList()->item(0)->setCheckState(Qt::Checked);   // Vini: users 1, 3 and 4
    QSignalSpy finished(&view, &CMailingView::SendFinished);
    view.OnInvio();
    ASSERT_TRUE(finished.wait(30000));
    EXPECT_EQ(view.LastOutcome().state, CMailingInvio::Completed);
    EXPECT_EQ(view.LastOutcome().reports.size(), 3);
    EXPECT_EQ(shownLog, QStringLiteral("Nessun errore"));
    EXPECT_EQ(server.WaitForMessages(3).size(), 3);
}

} // namespace
