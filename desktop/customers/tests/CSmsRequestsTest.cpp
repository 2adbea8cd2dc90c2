#include "desktop/customers/CCreditoSMSCore.h"
#include "desktop/customers/CCreditoSMSDlg.h"
#include "desktop/customers/CSmsRequests.h"
#include "desktop/shell/controls/tests/ShopTestDb.h"
#include "platform/utilities/QtrCipher.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

namespace {

struct ReplyCase
{
    const char* name;
    bool contacted;
    const char* reply;
    bool credit;          // IsCredit
    qint64 number;        // the credit read
    bool sent;            // IsSent
    const char* line;     // what the credit dialog shows
};

void PrintTo(const ReplyCase& c, std::ostream* os) { *os << c.name; }

class SmsReply : public testing::TestWithParam<ReplyCase>
{
};

// The credit reply is judged on its first two characters, a send reply as
// a whole.
TEST_P(SmsReply, IsJudgedByItsRule)
{
    const ReplyCase& c = GetParam();
    qint64 number = -1;
    EXPECT_EQ(CSmsRequests::IsCredit(c.reply, &number), c.credit);
    if (c.credit) {
        EXPECT_EQ(number, c.number);
    }
    EXPECT_EQ(CSmsRequests::IsSent(c.reply), c.sent);
    EXPECT_EQ(CCreditoSMSCore::TextOf({c.contacted, QString::fromUtf8(c.reply)}), QString::fromUtf8(c.line));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SmsReply,
    testing::Values(ReplyCase{"Credit", true, "OK250", true, 250, false, "Credito disponibile: 250 SMS"},
                    ReplyCase{"CreditWithoutNumber", true, "OK", true, 0, true, "Credito disponibile:  SMS"},
                    ReplyCase{"OkAndABlank", true, "OK ", true, 0, false, "Credito disponibile:   SMS"},
                    ReplyCase{"DigitsThenText", true, "OK12abc", true, 12, false, "Credito disponibile: 12abc SMS"},
                    ReplyCase{"Refusal", true, "Password errata!", false, 0, false, "Password errata!"},
                    ReplyCase{"LowerCase", true, "ok5", false, 0, false, "ok5"},
                    ReplyCase{"Unreachable", false, "", false, 0, false, "Impossibile contattare il server."}),
    [](const auto& info) { return std::string(info.param.name); });

class SmsSettingsLoad : public testing::Test
{
protected:
    void Settings(const QString& user, const QString& password, const QString& site)
    {
        shop.Row("Configurazione", {{"ID", 1}, {"CodiceUtente", user}, {"Password", Encrypt(password)},
                                    {"URLSito", site}, {"PortaHttp", 8123}});
    }
    ShopTestDb shop;
};

TEST_F(SmsSettingsLoad, TheAccountAndServerComeFromTheShopsSettings)
{
    SmsSettings settings;
    EXPECT_FALSE(CSmsRequests::LoadSmsSettings(shop.Db(), settings));
    Settings("negozio", "pa&ss=1", "https://negozio.example");
    ASSERT_TRUE(CSmsRequests::LoadSmsSettings(shop.Db(), settings));
    EXPECT_EQ(settings.strUserCode, "negozio");
    EXPECT_EQ(settings.strPassword, "pa&ss=1");
    EXPECT_EQ(settings.strServer, "https://negozio.example");
    EXPECT_EQ(settings.nPort, 8123);
}

TEST_F(SmsSettingsLoad, AMissingAccountSendsNothingAndTheDialogStaysEmpty)
{
    for (const auto& [user, password, site] :
         std::vector<std::tuple<QString, QString, QString>>{{"", "x", "127.0.0.1"}, {"negozio", "", "127.0.0.1"},
                                                            {"negozio", "x", ""}}) {
        shop.Db().Execute("DELETE FROM Configurazione");
        Settings(user, password, site);
        SmsSettings settings;
        EXPECT_FALSE(CSmsRequests::LoadSmsSettings(shop.Db(), settings));
        CCreditoSMSDlg dialog(shop.Db());
        QSignalSpy answered(&dialog, &CCreditoSMSDlg::Answered);
        EXPECT_FALSE(answered.wait(300));
        EXPECT_EQ(dialog.Text(), "");
    }
}

// The password never travels readable to another machine: no request is
// made, and the reason is the reply.
TEST_F(SmsSettingsLoad, APlainHttpShopElsewhereGetsNoPassword)
{
    Settings("negozio", "pa&ss=1", "negozio.example");
    CCreditoSMSCore core;
    ASSERT_TRUE(core.Load(shop.Db()));
    const CSmsRequests::Reply reply = CSmsRequests::Send(core.Settings(), "Bottega", "333", "x");
    EXPECT_FALSE(CSmsRequests::IsSent(reply.strReply));
    EXPECT_TRUE(reply.strReply.contains("https://")) << reply.strReply.toStdString();
}

TEST_F(SmsSettingsLoad, TheSenderNameIsTheDictionarysTextInTheLanguageAskedFirst)
{
    EXPECT_EQ(CSmsRequests::SenderName(shop.Db(), "en", "it", "NotificaSMS"), "NotificaSMS");
    shop.Row("Dizionario", {{"ID", 7}, {"Codice", "PMTINTESTAZIONESMS"}});
    shop.Row("DizionarioLingue", {{"ID", 1}, {"IDCodice", 7}, {"CodiceLingua", "it"}, {"Testo", Encrypt("Bottega")}});
    EXPECT_EQ(CSmsRequests::SenderName(shop.Db(), "en", "it", "NotificaSMS"), "Bottega");
    shop.Row("DizionarioLingue", {{"ID", 2}, {"IDCodice", 7}, {"CodiceLingua", "en"}, {"Testo", Encrypt("Shop")}});
    EXPECT_EQ(CSmsRequests::SenderName(shop.Db(), "en", "it", "NotificaSMS"), "Shop");
    EXPECT_EQ(CSmsRequests::SenderName(shop.Db(), "de", "", "QTRList"), "QTRList");
}

} // namespace
