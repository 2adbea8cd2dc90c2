#pragma once

#include <QString>
#include <QStringList>

class CDaoDatabase;

// mess.txt of a CD image: for every active language its description, then
// the viewer's 58 texts in a fixed order, one line each (a text's own line
// breaks written as "###"), lines ended by CR LF. A text missing in the
// language is taken in the default language; one missing there too leaves
// an empty line, so every block keeps its 59 lines.
class CCdMessagesFile
{
public:
    static const QStringList& Keys();

    // False when the file could not be written; the build goes on.
    static bool Write(const QString& path, CDaoDatabase& database, const QString& defaultLanguage);
};
