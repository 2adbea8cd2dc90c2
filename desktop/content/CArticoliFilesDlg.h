#pragma once

#include "desktop/content/CArticoliAllegatiDlg.h"

// "Files" of the article card: the list page of the article's files.
class CArticoliFilesDlg : public CArticoliAllegatiDlg
{
public:
    CArticoliFilesDlg(CDaoDatabase& database, const QString& projectFolder, QWidget* parent = nullptr)
        : CArticoliAllegatiDlg(database, CArticoliAllegatiCore::File, projectFolder, parent)
    {
    }
};
