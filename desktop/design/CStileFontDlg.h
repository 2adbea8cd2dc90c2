#pragma once

#include "desktop/design/CStilePagina.h"

// "  Caratteri  ": family, style, weight, size and decoration of the text.
class CStileFontDlg : public CStilePagina
{
    Q_OBJECT
public:
    explicit CStileFontDlg(CDefinizioneStiliCore& core, QWidget* parent = nullptr);
};
