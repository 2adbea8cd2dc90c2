#pragma once

#include "desktop/content/IContentTreeTables.h"

#include <memory>

class CDaoDatabase;

// The tables of the content trees: the sections (Sezioni, SezioniLingue,
// with five switches and a picture flag per language) and the forum or
// chat topics (Argomenti of one Tipo, ArgomentiLingue).
class CContentTreeTables
{
public:
    enum TopicKind { Forum = 0, Chat = 1 };

    static std::unique_ptr<IContentTreeTables> Sezioni(CDaoDatabase& database, const QString& projectFolder);
    static std::unique_ptr<IContentTreeTables> Argomenti(CDaoDatabase& database, int kind,
                                                          const QString& projectFolder);
};
