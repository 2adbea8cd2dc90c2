#include "desktop/design/CStileColorChooser.h"

#include <QColorDialog>

namespace {

CStileColorChooser::Answerer& CurrentAnswerer()
{
    static CStileColorChooser::Answerer answerer;
    return answerer;
}

} // namespace

std::optional<QColor> CStileColorChooser::Choose(QWidget* parent, const QColor& start, CustomColours& custom)
{
    if (CurrentAnswerer())
        return CurrentAnswerer()(start);
    for (int slot = 0; slot < int(custom.size()); ++slot)
        QColorDialog::setCustomColor(slot, custom[size_t(slot)]);
    QColorDialog dialog(start.isValid() ? start : QColor(Qt::black), parent);
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    const bool chosen = dialog.exec() == QDialog::Accepted;
    for (int slot = 0; slot < int(custom.size()); ++slot)
        custom[size_t(slot)] = QColorDialog::customColor(slot);
    if (!chosen)
        return std::nullopt;
    return dialog.selectedColor();
}

CStileColorChooser::Answerer CStileColorChooser::SetAnswerer(Answerer answerer)
{
    Answerer previous = std::move(CurrentAnswerer());
    CurrentAnswerer() = std::move(answerer);
    return previous;
}
