#pragma once

#include <QString>

// The files the graphic project's code names and the files it is written
// to. A block's code that begins with a backslash (as stored) or a slash
// names a file under <install>/template; a name that would lead outside
// that folder is not followed, and a page is written only under a plain
// file name, so nothing a database holds writes outside website/asp.
class CDesignFiles
{
public:
    static bool NamesTemplate(const QString& code);
    // The file the code names, inside <install>/template; empty when it
    // would lead outside it (or names no file).
    static QString TemplatePath(const QString& installFolder, const QString& code);
    // The part after the last separator, when it is a plain file name;
    // empty otherwise.
    static QString OwnName(const QString& code);
    // A plain file name: no separators, not "." or "..", not empty.
    static bool IsPlainName(const QString& name);
    // Lines read as text (any line end), each followed by "\n".
    static QString JoinLines(const QString& text);
    // Writes the text with each line end stored as "\r\n", in UTF-8, whole
    // or not at all; the folder is made when missing.
    static bool WriteText(const QString& path, const QString& text);
};
