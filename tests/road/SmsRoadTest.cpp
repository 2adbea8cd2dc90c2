#include "desktop/customers/CCreditoSMSCore.h"
#include "desktop/customers/CCreditoSMSDlg.h"
#include "desktop/customers/CSmsRequests.h"
#include "desktop/orders/COrdiniViewCore.h"
#include "desktop/shell/controls/CMessageBoxScript.h"
#include "recordset/CConfigurazioneSet.h"
#include "server/sms/testing/SmsStandInGateway.h"
#include "tests/road/RoadProject.h"
#include "tests/road/RoadShop.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QSignalSpy>

#include <atomic>
#include <thread>
#include <vector>

namespace {

// The desk's SMS requests through the shop's host: qtr50d on loopback
// relays to a stand-in gateway; the shop's account has two credits.
class SmsRoad : public testing::Test
{
protected:
    void SetUp() override
    {
        shop.SetSmsGateway(gateway.Start());
        shop.Start();
        project.PointAt(shop.Port(), "pa&ss=1");
        SetCredit(2);
    }

    void SetCredit(int credit) { shop.ExecuteOnHost("UPDATE Utenti SET CreditoSMS=? WHERE CodiceUtente='negozio'", {credit}); }
    int Credit() const { return shop.HostValue("SELECT CreditoSMS FROM Utenti WHERE CodiceUtente='negozio'").toInt(); }

    QString DialogText()
    {
        CCreditoSMSDlg dialog(project.Db());
        QSignalSpy answered(&dialog, &CCreditoSMSDlg::Answered);
        EXPECT_TRUE(answered.wait(20000));
        return dialog.Text();
    }

    SmsSettings Settings()
    {
        SmsSettings settings;
        EXPECT_TRUE(CSmsRequests::LoadSmsSettings(project.Db(), settings));
        return settings;
    }

    SmsStandInGateway gateway;
    RoadShop shop;
    RoadProject project;
};

TEST_F(SmsRoad, TheCreditDialogShowsTheShopsCreditAndAMessageSpendsOne)
{
    {
        CCreditoSMSDlg dialog(project.Db());
        QSignalSpy answered(&dialog, &CCreditoSMSDlg::Answered);
        dialog.show();
        ASSERT_TRUE(answered.wait(20000));
        EXPECT_EQ(dialog.Text(), "Credito disponibile: 2 SMS");
        const QString shots = QStringLiteral(QTR_SCREENSHOT_DIR);
        QDir().mkpath(shots);
        EXPECT_TRUE(dialog.grab().save(shots + "/credito-sms.png"));
    }
    // 15 characters of sender and 200 of text go as 11 and 160; the number
    // as stored, blanks included.
    const QString text = QString("Ordine spedito & consegnato <oggi> ").repeated(6).left(200);
    const CSmsRequests::Reply reply = CSmsRequests::Send(Settings(), "Bottega Lago 15", " 333 123 4567", text);
    ASSERT_TRUE(reply.bContacted);
    EXPECT_TRUE(CSmsRequests::IsSent(reply.strReply)) << reply.strReply.toStdString();
    const QList<SmsStandInGateway::Messaggio> messages = gateway.Messages();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].wellFormed);
    EXPECT_EQ(messages[0].originator, "Bottega Lag");
    EXPECT_EQ(messages[0].text, text.left(160));
    EXPECT_EQ(messages[0].recipient, " 333 123 4567");
    EXPECT_EQ(messages[0].username, "gtorvel");
    EXPECT_EQ(Credit(), 1);
    EXPECT_EQ(DialogText(), "Credito disponibile: 1 SMS");
}

TEST_F(SmsRoad, ARefusedLoginAndAStoppedServerAreTheDialogsLine)
{
    project.EditSettings([](CConfigurazioneSet& c) { c.m_Password = QStringLiteral("sbagliata"); });
    EXPECT_EQ(DialogText(), "Password errata!");
    shop.Stop();
    EXPECT_EQ(DialogText(), "Impossibile contattare il server.");
}

TEST_F(SmsRoad, WithoutCreditNothingReachesTheGateway)
{
    SetCredit(0);
    const CSmsRequests::Reply reply = CSmsRequests::Send(Settings(), "Bottega", "3331234567", "Spedito");
    EXPECT_EQ(reply.strReply, "Credito insufficiente per l'invio del messaggio!");
    EXPECT_TRUE(gateway.Messages().isEmpty());
    EXPECT_EQ(DialogText(), "Credito disponibile: 0 SMS");
}

// Several desks (or a mailing and a desk) sending at once through the
// host's page threads, the gateway slow: no more messages go than there
// was credit for, and the credit ends at zero.
TEST_F(SmsRoad, MessagesSentAtOnceNeverSpendMoreThanTheCredit)
{
    SetCredit(3);
    gateway.SetDelayMs(150);
    const SmsSettings settings = Settings();
    std::atomic<int> sent{0};
    std::atomic<int> refused{0};
    std::vector<std::thread> senders;
    for (int i = 0; i < 6; ++i)
        senders.emplace_back([&, i] {
            const CSmsRequests::Reply reply = CSmsRequests::Send(settings, "Bottega", "333", QString("n. %1").arg(i));
            if (CSmsRequests::IsSent(reply.strReply))
                ++sent;
            else if (reply.strReply == "Credito insufficiente per l'invio del messaggio!")
                ++refused;
        });
    for (std::thread& t : senders)
        t.join();
    EXPECT_EQ(sent, 3);
    EXPECT_EQ(refused, 3);
    EXPECT_EQ(gateway.Messages().size(), 3);
    EXPECT_EQ(Credit(), 0);
}

// The state page's notice: header, order number, date, time and state, to
// the customer's mobile; a refusal shown as the shop's text.
TEST_F(SmsRoad, AStateAddedByHandIsSentToTheCustomersMobile)
{
    project.Db().Execute("INSERT INTO Clienti (ID, Cognome, Cellulare) VALUES (1000000005, 'Rossi', '+39 333 765')");
    project.Db().Execute("INSERT INTO Ordini (ID, NumOrdine, IDCliente, CodiceLingua, Stati) "
                         "VALUES (1000000007, '2026121100000007', 1000000005, 'it', '')");
    COrdiniViewCore core(project.Db(), project.Folder(), "it");
    ASSERT_TRUE(core.ShowOrder(1000000007));
    CMessageBoxScript boxes;
    const COrdineStati::Entry entry{"11/12/2026", "10:15", "Spedito con corriere"};
    core.OfferStateSms(entry);
    ASSERT_EQ(boxes.Shown().size(), 1);
    EXPECT_EQ(boxes.Shown()[0].text, "Vuoi inviare notifica SMS ?");
    ASSERT_EQ(gateway.Messages().size(), 1);
    EXPECT_EQ(gateway.Messages()[0].originator, "NotificaSMS");
    EXPECT_EQ(gateway.Messages()[0].recipient, "+39 333 765");
    EXPECT_EQ(gateway.Messages()[0].text, "NotificaSMS Ordine n. 2026121100000007 11/12/2026 10:15 Spedito con corriere");

    SetCredit(0);
    boxes.Clear();
    core.OfferStateSms(entry);
    ASSERT_EQ(boxes.Shown().size(), 2);
    EXPECT_EQ(boxes.Shown()[1].text, "ERRORE:\n\nCredito insufficiente per l'invio del messaggio!");
    EXPECT_EQ(boxes.Shown()[1].caption, "Invio SMS");
    EXPECT_EQ(boxes.Shown()[1].icon, CMessageBox::Exclamation);

    // Declined: nothing goes.
    SetCredit(5);
    boxes.Clear();
    boxes.Answer(QMessageBox::No);
    core.OfferStateSms(entry);
    EXPECT_EQ(gateway.Messages().size(), 1);
}

} // namespace
