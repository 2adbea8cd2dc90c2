#pragma once

#include <QString>

// Reads a whole text file: UTF-8, or Windows-1252 when it is not valid UTF-8.
class CTextFile
{
public:
    static bool Read(const QString& path, QString& text);
};
