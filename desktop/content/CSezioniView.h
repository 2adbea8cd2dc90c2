#pragma once

#include "desktop/content/CContentTreeView.h"

// "Sezioni": the tree editor on the site's sections, with their switches
// and icons.
class CSezioniView : public CContentTreeView
{
public:
    CSezioniView(CDaoDatabase& database, const QString& projectFolder, const QString& currentLanguage,
                 const QString& defaultLanguage, QWidget* parent = nullptr)
        : CContentTreeView(database, CContentTreeCore::Sezioni, projectFolder, currentLanguage, defaultLanguage,
                           parent)
    {
    }
};
