#include "desktop/shell/settings/CValuteView.h"

#include "desktop/shell/settings/CValuteViewCore.h"

CValuteView::CValuteView(CDaoDatabase& db, QWidget* parent)
    : CGridEditorView([&db](CGridCore& grid) { return std::make_unique<CValuteViewCore>(db, grid); }, CloseGrid,
                      parent)
{
    Start([this] { Core().Fill(); });
}

CValuteViewCore& CValuteView::Core()
{
    return static_cast<CValuteViewCore&>(Editor());
}
