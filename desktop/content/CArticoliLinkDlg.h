#pragma once

#include "desktop/content/CArticoliAllegatiDlg.h"

// "Link" of the article card: the list page of the article's links.
class CArticoliLinkDlg : public CArticoliAllegatiDlg
{
public:
    CArticoliLinkDlg(CDaoDatabase& database, const QString& projectFolder, QWidget* parent = nullptr)
        : CArticoliAllegatiDlg(database, CArticoliAllegatiCore::Link, projectFolder, parent)
    {
    }
};
