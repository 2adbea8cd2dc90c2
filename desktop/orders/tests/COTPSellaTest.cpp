#include "desktop/orders/COTPSellaView.h"
#include "desktop/orders/COTPSellaViewCore.h"
#include "desktop/orders/testing/OrdersFixture.h"
#include "desktop/shell/controls/CMessageBoxScript.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

class OtpTest : public ::testing::Test
{
protected:
    QString File(const QString& name, const QByteArray& content)
    {
        const QString path = f.Folder() + name;
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(content);
        return path;
    }
    QVariantList Passwords(const char* table)
    {
        return f.Column(QStringLiteral("SELECT Password FROM %1 ORDER BY ID").arg(QLatin1String(table)));
    }
    QVariantList Ids(const char* table)
    {
        return f.Column(QStringLiteral("SELECT ID FROM %1 ORDER BY ID").arg(QLatin1String(table)));
    }

    OrdersFixture f;
    CMessageBoxScript boxes;
};

TEST_F(OtpTest, BothFilesLoadInFileOrderAndAreRenamed)
{
    f.Row(QStringLiteral("OTPRichieste"), {{"ID", 7}, {"Password", "OLD1"}});
    const QString ric = File(QStringLiteral("a.ric"), "R1\r\nR2\r\n\r\nR'4\r\n");
    const QString ris = File(QStringLiteral("a.ris"), "S1\nS2");
    COTPSellaViewCore core(f.Db());
    EXPECT_EQ(core.Richieste(), 1);
    core.Load(ric, ris);
    // An empty line is an empty password; an apostrophe is a character like another.
    EXPECT_EQ(Passwords("OTPRichieste"), QVariantList({"OLD1", "R1", "R2", "", "R'4"}));
    EXPECT_EQ(Ids("OTPRichieste"), QVariantList({7, 8, 9, 10, 11}));
    EXPECT_EQ(Passwords("OTPRisposte"), QVariantList({"S1", "S2"}));
    EXPECT_EQ(Ids("OTPRisposte"), QVariantList({1, 2}));
    EXPECT_EQ(f.Value(QStringLiteral("SELECT COUNT(*) FROM OTPRichieste WHERE Modificato=1")).toInt(), 4);
    EXPECT_EQ(core.Richieste(), 5);
    EXPECT_EQ(core.Risposte(), 2);
    EXPECT_TRUE(QFile::exists(ric + QStringLiteral("ok")));
    EXPECT_TRUE(QFile::exists(ris + QStringLiteral("ok")));
    EXPECT_FALSE(QFile::exists(ric));
    EXPECT_EQ(boxes.LastText(), QStringLiteral("Lettura password terminata."));
}

struct RereadCase
{
    const char* name;
    bool withAnswers;
    QMessageBox::StandardButton reply;
    int answersLoaded;
};

void PrintTo(const RereadCase& c, std::ostream* os) { *os << c.name; }

class OtpRereadTest : public OtpTest, public ::testing::WithParamInterface<RereadCase>
{
};

TEST_P(OtpRereadTest, ARequestFileReadBeforeIsRefused)
{
    const RereadCase& c = GetParam();
    f.Row(QStringLiteral("OTPRichieste"), {{"ID", 1}, {"Password", "R2"}});
    const QString ric = File(QStringLiteral("b.ric"), "R1\nR2\nR3\n");
    const QString ris = c.withAnswers ? File(QStringLiteral("b.ris"), "S1\n") : QString();
    boxes.Answer(c.reply);
    COTPSellaViewCore(f.Db()).Load(ric, ris);
    EXPECT_TRUE(boxes.Shown().first().text.startsWith(
        QStringLiteral("Il file di password richieste selezionato è già stato letto in precedenza")));
    EXPECT_EQ(boxes.Shown().first().text.contains(QStringLiteral("Vuoi continuare")), c.withAnswers);
    EXPECT_EQ(Passwords("OTPRichieste"), QVariantList({"R2"}));
    EXPECT_TRUE(QFile::exists(ric));
    EXPECT_EQ(f.Value(QStringLiteral("SELECT COUNT(*) FROM OTPRisposte")).toInt(), c.answersLoaded);
    if (c.withAnswers)
        EXPECT_EQ(QFile::exists(ris), c.answersLoaded == 0);
}

INSTANTIATE_TEST_SUITE_P(Otp, OtpRereadTest,
                         ::testing::Values(RereadCase{"NoAnswerFile", false, QMessageBox::Ok, 0},
                                           RereadCase{"YesGoesOnWithAnswers", true, QMessageBox::Yes, 1},
                                           RereadCase{"NoStopsBoth", true, QMessageBox::No, 0}),
                         [](const ::testing::TestParamInfo<RereadCase>& info) { return std::string(info.param.name); });

TEST_F(OtpTest, AnAnswerFileReadBeforeKeepsItsName)
{
    f.Row(QStringLiteral("OTPRisposte"), {{"ID", 1}, {"Password", "S1"}});
    const QString ris = File(QStringLiteral("c.ris"), "S0\nS1\n");
    COTPSellaViewCore(f.Db()).Load(QString(), ris);
    EXPECT_TRUE(boxes.Shown().first().text.startsWith(QStringLiteral("Il file di password risposte selezionato")));
    EXPECT_EQ(f.Value(QStringLiteral("SELECT COUNT(*) FROM OTPRisposte")).toInt(), 1);
    EXPECT_TRUE(QFile::exists(ris));
}

TEST_F(OtpTest, AnEmptyFileInsertsNothingAndIsMarkedRead)
{
    const QString ric = File(QStringLiteral("d.ric"), "");
    COTPSellaViewCore(f.Db()).Load(ric, QString());
    EXPECT_EQ(f.Value(QStringLiteral("SELECT COUNT(*) FROM OTPRichieste")).toInt(), 0);
    EXPECT_TRUE(QFile::exists(ric + QStringLiteral("ok")));
}

// A save that fails halfway leaves no row of the file and the file unread.
TEST_F(OtpTest, AFailedLoadLeavesNoRowAndTheFileUnread)
{
    const QString ric = File(QStringLiteral("e.ric"), "R1\nR2\nR3\n");
    COTPSellaViewCore core(f.Db());
    // The third row's ID is taken behind the view's back.
    core.m_progress = [this](const QString& status, int done, int) {
        if (status.startsWith(QStringLiteral("Lettura")) && done == 3)
            f.Db().Execute(QStringLiteral("INSERT INTO OTPRichieste (ID, Password) VALUES (3, 'X')"));
    };
    EXPECT_ANY_THROW(core.Load(ric, QString()));
    EXPECT_EQ(f.Value(QStringLiteral("SELECT COUNT(*) FROM OTPRichieste")).toInt(), 0);
    EXPECT_TRUE(QFile::exists(ric));
    EXPECT_EQ(core.Richieste(), 0);
}

TEST_F(OtpTest, TheViewWarnsWhenFewRequestPasswordsRemain)
{
    COTPSellaView view(f.Db());
    EXPECT_FALSE(view.Core().Warning().isEmpty());
    QByteArray many;
    for (int i = 0; i < COTPSellaViewCore::kFewRequests; ++i)
        many += "P" + QByteArray::number(i) + "\n";
    const QString ric = File(QStringLiteral("f.ric"), many);
    view.m_chooseFile = [&ric](const QString&, const QString&) { return ric; };
    EXPECT_FALSE(view.StartButton()->isEnabled());
    view.ChooseRequests();
    EXPECT_TRUE(view.StartButton()->isEnabled());
    view.Start();
    EXPECT_TRUE(view.Core().Warning().isEmpty());
    EXPECT_TRUE(view.RequestPath()->text().isEmpty());
    EXPECT_FALSE(view.StartButton()->isEnabled());
}

} // namespace
