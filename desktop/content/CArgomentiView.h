#pragma once

#include "desktop/content/CContentTreeView.h"

// "Argomenti forum" and "Argomenti chat": the tree editor on the topics of
// one kind, fixed for the window's life (chat: the frame's m_bChat).
class CArgomentiView : public CContentTreeView
{
public:
    CArgomentiView(CDaoDatabase& database, bool chat, const QString& projectFolder, const QString& currentLanguage,
                   const QString& defaultLanguage, QWidget* parent = nullptr)
        : CContentTreeView(database, chat ? CContentTreeCore::ArgomentiChat : CContentTreeCore::ArgomentiForum,
                           projectFolder, currentLanguage, defaultLanguage, parent)
    {
    }
};
