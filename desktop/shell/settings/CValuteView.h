#pragma once

#include "desktop/shell/settings/CGridEditorView.h"

class CDaoDatabase;
class CValuteViewCore;

// "Valute": the shop's currencies. The rules are CValuteViewCore.
class CValuteView : public CGridEditorView
{
    Q_OBJECT
public:
    explicit CValuteView(CDaoDatabase& db, QWidget* parent = nullptr);
    CValuteViewCore& Core();
};
