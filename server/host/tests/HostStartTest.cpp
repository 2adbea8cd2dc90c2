// qtr50d refuses to start where it would share what it must own: a port
// another process listens on, a SQLite shop another process serves.
#include "server/host/testing/CHostTestShop.h"

#include <gtest/gtest.h>

#include <QProcess>

namespace {

struct Outcome
{
    int exitCode = -1;   // -1: still running when the time was up
    QByteArray said;
};

// Runs qtr50d for at most a few seconds: a refusal ends it at once, a
// server that started is stopped.
Outcome RunBriefly(const QString& config)
{
    QProcess process;
    process.start(CQtr50dProcess::Program(), {QStringLiteral("--config"), config});
    Outcome outcome;
    if (process.waitForFinished(4000) && process.exitStatus() == QProcess::NormalExit)
        outcome.exitCode = process.exitCode();
    else {
        process.kill();
        process.waitForFinished(5000);
    }
    outcome.said = process.readAllStandardOutput() + process.readAllStandardError();
    return outcome;
}

TEST(HostStartTest, ASecondServerOnAPortInUseRefusesToStart)
{
    CHostTestShop first;
    first.WriteFile("/who.asp", "first");
    ASSERT_TRUE(first.Start());
    CHostTestShop second;
    second.WriteFile("/who.asp", "second");
    second.Set("server/port", QString::number(first.Port()));
    const Outcome outcome = RunBriefly(second.WriteConfig());
    EXPECT_EQ(outcome.exitCode, 1) << outcome.said.constData();
    EXPECT_TRUE(outcome.said.contains("Impossibile ascoltare")) << outcome.said.constData();
    for (int i = 0; i < 20; ++i)
        ASSERT_EQ(first.Visitor().Get("/who.asp").body, "first");
}

TEST(HostStartTest, ASecondServerOnTheSameSqliteShopRefusesToStartUntilTheFirstEnds)
{
    CHostTestShop shop;
    shop.WriteFile("/ok.asp", "ok");
    ASSERT_TRUE(shop.Start());
    // Another configuration, another port, the same shop folder.
    CHostTestShop other;
    other.Set("shop/folder", shop.SiteFolder());
    const Outcome refused = RunBriefly(other.WriteConfig());
    EXPECT_EQ(refused.exitCode, 1) << refused.said.constData();
    EXPECT_TRUE(refused.said.contains("già servito da un altro processo")) << refused.said.constData();
    EXPECT_TRUE(refused.said.contains(QByteArray::number(shop.Server().Pid()))) << refused.said.constData();

    // The lock goes with the process that held it, however it ended.
    ASSERT_EQ(shop.Server().Terminate(), 0);
    ASSERT_TRUE(other.Start());
    EXPECT_EQ(other.Visitor().Get("/ok.asp").body, "ok");
}

} // namespace
