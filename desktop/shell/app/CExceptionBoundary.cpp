#include "desktop/shell/app/CExceptionBoundary.h"

#include "desktop/shell/controls/CMessageBox.h"
#include "platform/dao/CDaoException.h"

#include <QtGlobal>

namespace {

// A box shown for one error runs its own event loop; an error thrown by an
// event of that loop is only logged, so errors can't stack boxes.
bool g_bShowing = false;

} // namespace

QString CExceptionBoundary::MessageOf(std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const CDaoException& e) {
        return e.GetErrorMessage();
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
        return QStringLiteral("Errore imprevisto.");
    }
}

bool CExceptionBoundary::Run(const std::function<bool()>& step, bool fallback)
{
    try {
        return step();
    } catch (...) {
        const QString text = MessageOf(std::current_exception());
        qWarning("%s", qPrintable(text));
        if (g_bShowing)
            return fallback;
        g_bShowing = true;
        try {
            CMessageBox::Show(nullptr, text, QStringLiteral("Quintaro"), CMessageBox::Stop);
        } catch (...) {
        }
        g_bShowing = false;
        return fallback;
    }
}
