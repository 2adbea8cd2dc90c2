#pragma once

#include <QApplication>

// tinda's Qt application object: every event is delivered inside
// CExceptionBoundary, so an error that no command caught is shown to the
// merchant instead of ending the program.
class CTindaApplication : public QApplication
{
public:
    CTindaApplication(int& argc, char** argv) : QApplication(argc, argv) {}

    bool notify(QObject* receiver, QEvent* event) override;
};
