#pragma once

#include "desktop/shell/settings/CGridEditorView.h"

class CDaoDatabase;
class CLingueViewCore;

// "Lingue": the site's languages. The rules are CLingueViewCore; the close
// also wants at least one active language (CloseGridLanguages).
class CLingueView : public CGridEditorView
{
    Q_OBJECT
public:
    explicit CLingueView(CDaoDatabase& db, QWidget* parent = nullptr);
    CLingueViewCore& Core();
};
