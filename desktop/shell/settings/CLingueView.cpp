#include "desktop/shell/settings/CLingueView.h"

#include "desktop/shell/settings/CLingueViewCore.h"

CLingueView::CLingueView(CDaoDatabase& db, QWidget* parent)
    : CGridEditorView([&db](CGridCore& grid) { return std::make_unique<CLingueViewCore>(db, grid); },
                      CloseGridLanguages, parent)
{
    Start([this] { Core().Fill(); });
}

CLingueViewCore& CLingueView::Core()
{
    return static_cast<CLingueViewCore&>(Editor());
}
