#include "desktop/shell/app/CTindaApplication.h"

#include "desktop/shell/app/CExceptionBoundary.h"

bool CTindaApplication::notify(QObject* receiver, QEvent* event)
{
    return CExceptionBoundary::Run([&] { return QApplication::notify(receiver, event); });
}
