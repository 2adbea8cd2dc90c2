#include "platform/testing/TempFolder.h"
#include "platform/utilities/QtrCipher.h"
#include "platform/utilities/QtrUtilities.h"

#include <gtest/gtest.h>

TEST(QtrCipher, RoundTripsEveryKindOfText)
{
    const QString texts[] = {
        "",
        "Scarpe da corsa",
        "Caffè, tè & cioccolato: 3,50 €",
        "riga uno\r\nriga due\tcolonna",
        QString::fromUtf8("emoji \xF0\x9F\x98\x80 e ideogrammi \xE4\xB8\xAD\xE6\x96\x87"),
        "<p class=\"x\">HTML 'quoted'</p>",
        QString(300, QLatin1Char('a')),
    };
    for (const QString& text : texts) {
        const QString stored = Encrypt(text);
        EXPECT_EQ(Decrypt(stored), text) << text.toStdString();
        EXPECT_EQ(stored.size(), text.size());
    }
}

TEST(QtrCipher, HidesPrintableTextAndKeepsItPrintable)
{
    const QString plain = "password segreta 123";
    const QString stored = Encrypt(plain);
    EXPECT_NE(stored, plain);
    for (QChar c : stored)
        EXPECT_TRUE(c.unicode() >= 32 && c.unicode() <= 126);
    // The shift depends on the position, so a repeated letter doesn't repeat.
    const QString same = Encrypt("aaaa");
    EXPECT_NE(same.at(0), same.at(1));
    // Characters from 128 up pass unchanged.
    EXPECT_EQ(Encrypt(QStringLiteral("è")), QStringLiteral("è"));
}

// Stored texts depend on it: the key runs over code points, so what follows
// a character outside the basic plane is shifted as after any other one.
TEST(QtrCipher, TheKeyStepsOncePerCodePoint)
{
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
    EXPECT_EQ(Encrypt(emoji + "abc").mid(2), Encrypt(QStringLiteral("èabc")).mid(1));
    EXPECT_EQ(Encrypt(emoji + "abc").left(2), emoji);
    // A lone surrogate stands for no character.
    EXPECT_EQ(Encrypt(QString(QChar(0xD800)) + "a"), QString(QChar(QChar::ReplacementCharacter)) + Encrypt("xa").mid(1));
}

TEST(QtrUtilities, KeywordsAreLowerCaseUniqueWordsInOrder)
{
    struct Case { QString text; QString keywords; };
    const Case cases[] = {
        {"Scarpa Rossa, scarpa BLU", "scarpa rossa blu"},
        {"  <b>Tè</b> verde&nbsp;bio  ", "tè verde bio"},
        {"a b cc 12", "cc 12"},
        {"", ""},
        {"caffè-espresso/100g", "caffè espresso 100g"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ElaboraKeywords(c.text), c.keywords) << c.text.toStdString();
}

TEST(QtrUtilities, TheSiteUpdateMarkerComesAndGoes)
{
    TempFolder folder;
    const QString project = folder.Path() + "/";
    EXPECT_FALSE(IsAlertUpd(project));
    AlertUpd(project);
    EXPECT_TRUE(folder.Exists("upd.qtr"));
    AlertUpd(project);
    DeleteAlertUpd(project);
    EXPECT_FALSE(folder.Exists("upd.qtr"));
    DeleteAlertUpd(project);   // clearing twice is harmless
}

// A marker that cannot be written is reported, never taken for raised.
TEST(QtrUtilities, AMarkerThatCannotBeWrittenIsReported)
{
    TempFolder folder;
    EXPECT_TRUE(AlertUpd(folder.Path() + "/"));
    EXPECT_TRUE(AlertUpd(folder.Path() + "/"));   // already there
    EXPECT_FALSE(AlertUpd(folder.FilePath("manca/")));   // no such project folder
    EXPECT_TRUE(CreatePath(folder.FilePath("occupato/upd.qtr")));
    EXPECT_FALSE(AlertUpd(folder.FilePath("occupato/")));   // the name is a folder's
    EXPECT_TRUE(AlertUpd(QString()));   // no project: nothing to mark
}

TEST(QtrUtilities, CreatePathMakesEveryMissingFolder)
{
    TempFolder folder;
    EXPECT_TRUE(CreatePath(folder.FilePath("website/images/prodotti/12")));
    EXPECT_TRUE(folder.Exists("website/images/prodotti/12"));
    EXPECT_TRUE(CreatePath(folder.FilePath("website/images")));
    folder.WriteFile("file", "x");
    EXPECT_FALSE(CreatePath(folder.FilePath("file/sub")));
}
