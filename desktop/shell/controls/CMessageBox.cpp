#include "desktop/shell/controls/CMessageBox.h"

#include <QApplication>

#include <utility>

namespace {

CMessageBox::Answerer& InstalledAnswerer()
{
    static CMessageBox::Answerer answerer;
    return answerer;
}

QMessageBox::Icon ToQtIcon(CMessageBox::Icon icon)
{
    switch (icon) {
    case CMessageBox::Stop: return QMessageBox::Critical;
    case CMessageBox::Question: return QMessageBox::Question;
    case CMessageBox::Exclamation: return QMessageBox::Warning;
    case CMessageBox::Information: return QMessageBox::Information;
    case CMessageBox::NoIcon: break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

QMessageBox::StandardButton CMessageBox::Show(QWidget* parent, const QString& text,
                                              const QString& caption, Icon icon,
                                              QMessageBox::StandardButtons buttons)
{
    if (InstalledAnswerer())
        return InstalledAnswerer()(Request{text, caption, icon, buttons});
    // A box without a caption of its own bears the program's name, as every
    // other window does (Qt would put the settings' application name there).
    // Rules without a window of their own ask over the window in use.
    QMessageBox box(ToQtIcon(icon), caption.isEmpty() ? QStringLiteral("Quintaro") : caption, text, buttons,
                    parent ? parent : QApplication::activeWindow());
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

CMessageBox::Answerer CMessageBox::SetAnswerer(Answerer answerer)
{
    return std::exchange(InstalledAnswerer(), std::move(answerer));
}
