#include "server/sms/SmsDocumento.h"

#include <gtest/gtest.h>

#include <QUrlQuery>

namespace {

struct ReplyCase
{
    const char* name;
    const char* reply;
    int status;
    const char* message;
};

void PrintTo(const ReplyCase& c, std::ostream* os) { *os << c.name; }

class GatewayReply : public testing::TestWithParam<ReplyCase>
{
};

// The status is the first child, the message the third, whatever the
// elements are called; blanks between elements are not children.
TEST_P(GatewayReply, StatusIsTheFirstChildAndMessageTheThird)
{
    const ReplyCase& c = GetParam();
    const SmsDocumento::Esito esito = SmsDocumento::Risposta(c.reply);
    EXPECT_EQ(esito.stato, c.status);
    EXPECT_EQ(esito.messaggio, QString::fromUtf8(c.message));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GatewayReply,
    testing::Values(
        ReplyCase{"Accepted", "<?xml version=\"1.0\"?><SMSGateway><S>0</S><I>7</I><M>Inviato</M></SMSGateway>", 0, "Inviato"},
        ReplyCase{"IndentedWithSpacesInStatus", "<SMSGateway>\n  <S> 4 </S>\n  <I/>\n  <M>Credito &amp; saldo</M>\n</SMSGateway>",
                  4, "Credito & saldo"},
        ReplyCase{"InsideAnotherElement", "<R><SMSGateway><S>2</S><I>x</I><M><b>ne</b>sted</M><X/></SMSGateway></R>", 2,
                  "nested"},
        ReplyCase{"NonAsciiMessage", "<SMSGateway><S>9</S><I/><M>Numero già usato €</M></SMSGateway>", 9,
                  "Numero già usato €"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GatewayRequest, TheFormFieldHoldsTheWholeDocumentWithItsValuesEscaped)
{
    const SmsDocumento::Messaggio message{"A&B", "+39 333", QString("x</MessageText>&y=1%") + QChar(0x01)};
    const QByteArray body = SmsDocumento::Richiesta("u", "p<", message);
    ASSERT_TRUE(body.startsWith("XML="));
    EXPECT_FALSE(body.mid(4).contains('&'));
    EXPECT_FALSE(body.mid(4).contains('='));
    EXPECT_FALSE(body.mid(4).contains('+'));
    const QString document = QString::fromUtf8(QByteArray::fromPercentEncoding(body.mid(4)));
    EXPECT_EQ(document, SmsDocumento::Documento("u", "p<", message));
    EXPECT_TRUE(document.startsWith("<?XML version=\"1.0\"?><SMSMessage><SMSAuthentication><Username>u</Username>"
                                    "<Password>p&lt;</Password></SMSAuthentication><SMSMessageData>"
                                    "<Originator>A&amp;B</Originator><Recipient>+39 333</Recipient>"
                                    "<MessageType>0</MessageType>"
                                    "<MessageText>x&lt;/MessageText&gt;&amp;y=1%</MessageText>"
                                    "<ControlData></ControlData><DeliveryReport>N</DeliveryReport>"
                                    "</SMSMessageData></SMSMessage>"))
        << document.toStdString();
}

} // namespace
