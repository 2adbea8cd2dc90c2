#include "desktop/shell/app/CTindaApplication.h"
#include "desktop/shell/controls/CMessageBoxScript.h"
#include "platform/dao/CDaoException.h"

#include <gtest/gtest.h>

#include <QEvent>
#include <QTimer>

#include <cstring>
#include <memory>

namespace {

// An object whose events fail the way a command's database step does.
class FailingObject : public QObject
{
public:
    bool event(QEvent* event) override
    {
        if (event->type() == QEvent::User)
            throw CDaoException(QStringLiteral("Stringa non chiusa nel testo SQL: Cognome='O'Brien'"));
        return QObject::event(event);
    }
};

TEST(TindaApplication, AnErrorThrownByAnEventIsShownAndTheProgramGoesOn)
{
    CMessageBoxScript boxes;
    FailingObject target;
    QEvent event(QEvent::User);
    EXPECT_FALSE(QCoreApplication::sendEvent(&target, &event));
    ASSERT_EQ(boxes.Shown().size(), 1);
    EXPECT_EQ(boxes.LastText(), QStringLiteral("Stringa non chiusa nel testo SQL: Cognome='O'Brien'"));

    // A timer's slot that throws, run by the event loop.
    bool after = false;
    QTimer::singleShot(0, [] { throw std::runtime_error("passo fallito"); });
    QTimer::singleShot(0, [&after] { after = true; });
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_TRUE(after);
    ASSERT_EQ(boxes.Shown().size(), 2);
    EXPECT_EQ(boxes.LastText(), QStringLiteral("passo fallito"));
}

} // namespace

// This executable's application object is tinda's own, so events go
// through its notify.
int main(int argc, char** argv)
{
    bool listing = false;
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--gtest_list_tests") == 0)
            listing = true;
    std::unique_ptr<CTindaApplication> app;
    if (!listing)
        app = std::make_unique<CTindaApplication>(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
