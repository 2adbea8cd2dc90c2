#include "desktop/shell/app/CExceptionBoundary.h"
#include "desktop/shell/app/CSplashWnd.h"
#include "desktop/shell/app/CTindaApp.h"
#include "desktop/shell/app/CTindaApplication.h"


namespace {
// The splash takes the first key or mouse press, whichever window gets it.
class SplashInputFilter : public QObject
{
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        return CSplashWnd::HideOnInput(event) || QObject::eventFilter(watched, event);
    }
};
}

int main(int argc, char** argv)
{
    CTindaApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Morvella"));
    QApplication::setApplicationName(QStringLiteral("Quintaro50"));
    // No display name: the window title is exactly what the program sets.
    SplashInputFilter splashFilter;
    application.installEventFilter(&splashFilter);

    CTindaApp tinda;
    // Start-up runs before the event loop, so it has the boundary of its own.
    if (!CExceptionBoundary::Run([&] { return tinda.InitInstance(); }))
        return tinda.ExitInstance();
    const int result = application.exec();
    const int exitCode = tinda.ExitInstance();
    return result != 0 ? result : exitCode;
}
