#include "desktop/shell/app/CExceptionBoundary.h"
#include "desktop/shell/app/CSplashWnd.h"
#include "desktop/shell/app/CTindaApp.h"
#include "desktop/shell/app/CTindaApplication.h"
#include "desktop/shell/app/CTindaCommandLine.h"

#include <QLibraryInfo>
#include <QTranslator>

#include <cstdio>

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

QStringList Arguments(int argc, char** argv)
{
    QStringList args;
    for (int i = 0; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    return args;
}
}

int main(int argc, char** argv)
{
    // Answered before the window system is reached, so they work without a
    // display.
    const CTindaCommandLine commandLine(Arguments(argc, argv));
    if (commandLine.GetAction() != CTindaCommandLine::Run) {
        const bool error = commandLine.GetAction() == CTindaCommandLine::Error;
        std::fputs(commandLine.Output().toLocal8Bit().constData(), error ? stderr : stdout);
        return error ? 2 : 0;
    }

    CTindaApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Morvella"));
    QApplication::setApplicationName(QStringLiteral("Quintaro50"));
    // No display name: the window title is exactly what the program sets.

    // The program speaks Italian, and so do the standard buttons.
    QTranslator qtTranslator;
    if (qtTranslator.load(QStringLiteral("qtbase_it"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        application.installTranslator(&qtTranslator);

    SplashInputFilter splashFilter;
    application.installEventFilter(&splashFilter);

    CTindaApp tinda;
    tinda.m_strStartProject = commandLine.ProjectFolder();
    // Start-up runs before the event loop, so it has the boundary of its own.
    if (!CExceptionBoundary::Run([&] { return tinda.InitInstance(); }))
        return tinda.ExitInstance();
    const int result = application.exec();
    const int exitCode = tinda.ExitInstance();
    return result != 0 ? result : exitCode;
}
