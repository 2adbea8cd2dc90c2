#pragma once

#include <QString>

// The names an archive gives its entries and the paths they extract to.
class CZipEntryName
{
public:
    // The entry name for a file added from disk: the path without its root
    // with the full-path flag, else the bare file name. Empty when none.
    static QString ForFile(const QString& filePath, bool fullPath);

    // The relative path an entry may be extracted to, or an empty text when
    // the name would leave the target folder: an absolute name, a drive
    // letter, or a ".." step (with "/" or "\" between the steps).
    static QString SafeRelativePath(const QString& entryName, bool fullPath);
};
