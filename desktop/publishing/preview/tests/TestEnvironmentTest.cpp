#include <gtest/gtest.h>

#include <QByteArray>

namespace {

// Every variable a test is registered with reaches it, not only the first
// (through CTest, which sets them).
TEST(TestEnvironment, EveryVariableGivenToTheTestReachesIt)
{
    EXPECT_EQ(qgetenv("QT_QPA_PLATFORM"), "offscreen");
    EXPECT_EQ(qgetenv("QTWEBENGINE_DISABLE_SANDBOX"), "1");
    EXPECT_EQ(qgetenv("QTR_PREVIEW_TEST"), "2");
}

} // namespace
