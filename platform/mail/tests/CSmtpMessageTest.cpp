#include "platform/mail/CSmtpMessage.h"

#include <gtest/gtest.h>

#include <QLocale>
#include <QRegularExpression>
#include <QTimeZone>

namespace {

QByteArrayList Lines(const QByteArray& text)
{
    QByteArrayList lines = text.split('\n');
    for (QByteArray& line : lines)
        if (line.endsWith('\r'))
            line.chop(1);
    return lines;
}

int LongestLine(const QByteArray& text)
{
    int nLongest = 0;
    for (const QByteArray& line : Lines(text))
        nLongest = std::max(nLongest, int(line.size()));
    return nLongest;
}

QByteArray DecodeQuotedPrintable(QByteArray text)
{
    text.replace("=\r\n", "");
    QByteArray out;
    for (int i = 0; i < text.size(); ++i) {
        if (text[i] == '=' && i + 2 < text.size()) {
            out += char(text.mid(i + 1, 2).toInt(nullptr, 16));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

// Concatenated payload of the encoded words, checking each on the way.
QByteArray DecodeEncodedWords(const QByteArray& value)
{
    QByteArray bytes;
    for (QByteArray word : value.split('\n')) {
        word = word.trimmed();
        EXPECT_TRUE(word.startsWith("=?UTF-8?B?")) << word.constData();
        EXPECT_TRUE(word.endsWith("?=")) << word.constData();
        const QByteArray chunk = QByteArray::fromBase64(word.mid(10, word.size() - 12));
        // A word that ends inside a character would show a replacement mark.
        EXPECT_EQ(QString::fromUtf8(chunk).toUtf8(), chunk);
        EXPECT_FALSE(QString::fromUtf8(chunk).contains(QChar::ReplacementCharacter));
        bytes += chunk;
    }
    return bytes;
}

} // namespace

TEST(CSmtpMessageTest, DateCarriesEnglishNamesAndTheOffset)
{
    // The merchant's desktop runs in Italian; mail dates must not.
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    struct Case
    {
        QDateTime when;
        const char* expected;
    };
    const Case cases[] = {
        {QDateTime(QDate(2026, 12, 10), QTime(12, 0), QTimeZone::utc()),
         "Thu, 10 Dec 2026 12:00:00 +0000"},
        {QDateTime(QDate(2026, 7, 1), QTime(9, 5, 3), QTimeZone(3600)),
         "Wed, 01 Jul 2026 09:05:03 +0100"},
        {QDateTime(QDate(2027, 3, 7), QTime(23, 59, 59), QTimeZone(-19800)),
         "Sun, 07 Mar 2027 23:59:59 -0530"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CSmtpMessage::FormatDate(c.when), QString::fromLatin1(c.expected));
    QLocale::setDefault(previous);
}

TEST(CSmtpMessageTest, ShortAsciiSubjectStaysPlain)
{
    EXPECT_EQ(CSmtpMessage::EncodeSubject(QStringLiteral("Novita di dicembre")), "Novita di dicembre");
    EXPECT_EQ(CSmtpMessage::EncodeSubject(QString()), "");
}

TEST(CSmtpMessageTest, SubjectWithLineBreaksCannotAddHeaders)
{
    const QByteArray value = CSmtpMessage::EncodeSubject(QStringLiteral("Saldi\r\nBcc: tutti@esempio.it"));
    EXPECT_EQ(value, "Saldi Bcc: tutti@esempio.it");
    EXPECT_FALSE(value.contains('\r'));
    EXPECT_FALSE(value.contains('\n'));
}

TEST(CSmtpMessageTest, Utf8SubjectBecomesFoldedEncodedWords)
{
    const QString strSubject = QStringLiteral(
        "Offerte più belle dell'anno: sconti del 30% su caffè, tè e cioccolata — € 10 😀 "
        "solo per pochi giorni, affrettatevi!");
    const QByteArray value = CSmtpMessage::EncodeSubject(strSubject);
    EXPECT_LE(LongestLine("Subject: " + value), 78);
    EXPECT_TRUE(value.contains("\r\n ")) << "a long subject is folded";
    for (char ch : value)
        EXPECT_LT(static_cast<unsigned char>(ch), 128);
    EXPECT_EQ(QString::fromUtf8(DecodeEncodedWords(value)), strSubject);
}

TEST(CSmtpMessageTest, QuotedPrintableCases)
{
    struct Case
    {
        QString text;
        QByteArray expected;
    };
    const Case cases[] = {
        {QStringLiteral("a=b"), "a=3Db\r\n"},
        {QStringLiteral("caffè"), "caff=C3=A8\r\n"},
        {QStringLiteral("spazio "), "spazio=20\r\n"},
        {QStringLiteral("tab\t"), "tab=09\r\n"},
        {QStringLiteral("mezzo spazio"), "mezzo spazio\r\n"},
        {QStringLiteral("riga\n"), "riga\r\n"},
        {QStringLiteral("uno\rdue\r\ntre"), "uno\r\ndue\r\ntre\r\n"},
        {QStringLiteral("\n\nfine"), "\r\n\r\nfine\r\n"},
        {QString(), "\r\n"},
        {QStringLiteral(".punto"), ".punto\r\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CSmtpMessage::EncodeQuotedPrintable(c.text), c.expected) << c.text.toStdString();
}

TEST(CSmtpMessageTest, QuotedPrintableBreaksLongLinesSoftly)
{
    // Multi-byte characters at every offset test that no "=XX" is cut.
    for (int nLead = 0; nLead < 4; ++nLead) {
        const QString strLine = QString(nLead, QChar('a')) + QString(60, QChar(0xE8)) + QString(300, QChar('b'));
        const QByteArray encoded = CSmtpMessage::EncodeQuotedPrintable(strLine);
        EXPECT_LE(LongestLine(encoded), 76);
        EXPECT_EQ(QString::fromUtf8(DecodeQuotedPrintable(encoded)), strLine + QStringLiteral("\r\n"));
    }
}

TEST(CSmtpMessageTest, StuffDotsDoublesLeadingDotsOnly)
{
    struct Case
    {
        QByteArray text;
        QByteArray expected;
    };
    const Case cases[] = {
        {".\r\n", "..\r\n"},
        {"a\r\n.\r\nb\r\n", "a\r\n..\r\nb\r\n"},
        {"..due\r\n", "...due\r\n"},
        {"fine.\r\nme.zzo\r\n", "fine.\r\nme.zzo\r\n"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CSmtpMessage::StuffDots(c.text), c.expected) << c.text.constData();
}

TEST(CSmtpMessageTest, CheckAddressRefusesWhatCouldInjectCommands)
{
    EXPECT_TRUE(CSmtpMessage::CheckAddress(QStringLiteral("mario.rossi@esempio.it")).isEmpty());
    const QString bad[] = {
        QString(),
        QStringLiteral("   "),
        QStringLiteral("a@esempio.it\r\nRCPT TO:<altro@esempio.it>"),
        QStringLiteral("a@esempio.it\nBcc: tutti@esempio.it"),
        QStringLiteral("a@esempio.it\r"),
        QStringLiteral("<a@esempio.it>"),
        QStringLiteral("a@esempio.it>"),
        QStringLiteral("a\t@esempio.it"),
        QStringLiteral("città@esempio.it"),
    };
    for (const QString& strAddress : bad) {
        const QString strError = CSmtpMessage::CheckAddress(strAddress);
        EXPECT_TRUE(strError.startsWith(QStringLiteral("Indirizzo email"))) << strError.toStdString();
        EXPECT_FALSE(strError.contains(QChar('\r')) || strError.contains(QChar('\n')));
    }
}

TEST(CSmtpMessageTest, SplitAddressesTakesCommasAndSemicolons)
{
    EXPECT_EQ(CSmtpMessage::SplitAddresses(QStringLiteral(" a@x.it, b@y.it;c@z.it ;; ")),
              QStringList({QStringLiteral("a@x.it"), QStringLiteral("b@y.it"), QStringLiteral("c@z.it")}));
    EXPECT_TRUE(CSmtpMessage::SplitAddresses(QStringLiteral(" , ")).isEmpty());
}

TEST(CSmtpMessageTest, ComposeWritesOneToHeaderAndMimeHeaders)
{
    QStringList listTo;
    for (int i = 0; i < 12; ++i)
        listTo << QStringLiteral("cliente%1@negozio-di-esempio.it").arg(i);
    const QDateTime when(QDate(2026, 12, 10), QTime(12, 0), QTimeZone::utc());
    for (bool bHtml : {false, true}) {
        const QByteArray text = CSmtpMessage::Compose(QStringLiteral("shop@esempio.it"), listTo,
                                                      QStringLiteral("Saldi"), QStringLiteral("Ciao"),
                                                      bHtml, when);
        const QByteArray headers = text.left(text.indexOf("\r\n\r\n") + 2);
        EXPECT_EQ(headers.count("\nTo:") + (headers.startsWith("To:") ? 1 : 0), 1);
        EXPECT_TRUE(headers.startsWith("From: shop@esempio.it\r\nTo: cliente0@"));
        EXPECT_TRUE(headers.contains("\r\nDate: Thu, 10 Dec 2026 12:00:00 +0000\r\n"));
        EXPECT_TRUE(headers.contains("\r\nSubject: Saldi\r\n"));
        EXPECT_TRUE(headers.contains("\r\nMIME-Version: 1.0\r\n"));
        EXPECT_TRUE(headers.contains(bHtml ? "\r\nContent-Type: text/html; charset=utf-8\r\n"
                                           : "\r\nContent-Type: text/plain; charset=utf-8\r\n"));
        EXPECT_TRUE(headers.contains("\r\nContent-Transfer-Encoding: quoted-printable\r\n"));
        EXPECT_LE(LongestLine(headers), 78);
        for (const QString& strTo : listTo)
            EXPECT_TRUE(headers.contains(strTo.toLatin1()));
        EXPECT_TRUE(text.endsWith("\r\n\r\nCiao\r\n"));
        // Every line break is CRLF: no bare CR or LF reaches the server.
        EXPECT_EQ(text.count('\n'), text.count("\r\n"));
        EXPECT_EQ(text.count('\r'), text.count("\r\n"));
    }
}
