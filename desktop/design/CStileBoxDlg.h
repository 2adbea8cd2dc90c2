#pragma once

#include "desktop/design/CStilePagina.h"

// "  Box  ": width, height, the two alignments and float.
class CStileBoxDlg : public CStilePagina
{
    Q_OBJECT
public:
    explicit CStileBoxDlg(CDefinizioneStiliCore& core, QWidget* parent = nullptr);
};
