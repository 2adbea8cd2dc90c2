#include "desktop/shell/controls/CJobRunner.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

#include <atomic>

namespace {

// Runs the window's loop until the runner announces the job's end.
void UntilFinished(CJobRunner& runner)
{
    QEventLoop loop;
    QObject::connect(&runner, &CJobRunner::Finished, &loop, &QEventLoop::quit);
    if (runner.IsRunning())
        loop.exec();
}

// Reports reach the window's thread in order and after them the end; a
// question is answered there while the worker waits.
TEST(JobRunner, ReportsArriveInOrderQuestionsAreAnsweredThenTheEndIsAnnounced)
{
    CJobRunner runner;
    QStringList seen;
    QVariant answer;
    runner.Start([&] {
        runner.Post([&] { seen << "1"; });
        runner.Post([&] { seen << "2"; });
        answer = runner.Ask([&] {
            seen << "domanda";
            return QVariant(42);
        });
    });
    bool finished = false;
    QObject::connect(&runner, &CJobRunner::Finished, [&] { finished = true; });
    UntilFinished(runner);
    EXPECT_TRUE(finished);
    EXPECT_EQ(seen, QStringList({"1", "2", "domanda"}));
    EXPECT_EQ(answer.toInt(), 42);
    EXPECT_FALSE(CJobRunner::AnyRunning());
}

// The window closes while the job waits for an answer the window has not
// given yet: the window cancels and waits for the worker without running
// its loop, which frees the job's wait at once, and the question is never
// shown.
TEST(JobRunner, TheWindowWaitingForItsWorkerFreesAJobWaitingForAnAnswer)
{
    CJobRunner runner;
    std::atomic<bool> asked{false};
    bool shown = false;
    QVariant answer = "non cambiata";
    int hooks = 0;
    runner.OnCancel([&] { ++hooks; });
    runner.Start([&] {
        asked = true;
        answer = runner.Ask([&] {
            shown = true;
            return QVariant(true);
        });
    });
    while (!asked)
        QThread::yieldCurrentThread();
    EXPECT_TRUE(CJobRunner::AnyRunning());
    CJobRunner::CancelAndWaitAll();   // as the main window's close does
    EXPECT_FALSE(runner.IsRunning());
    EXPECT_FALSE(answer.isValid());
    EXPECT_EQ(hooks, 1);
    bool finished = false;
    QObject::connect(&runner, &CJobRunner::Finished, [&] { finished = true; });
    QCoreApplication::processEvents();
    EXPECT_TRUE(finished);
    EXPECT_FALSE(shown);
}

} // namespace
