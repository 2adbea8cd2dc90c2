#pragma once

#include <QString>

// File-level moves of a closed SQLite database. Every swap writes or moves
// the new file beside the target and renames it over the target in one
// step, so a failure at any point leaves the old database whole; the
// write-ahead-log side files of the replaced database go with it, so they
// are never replayed into the new one.
//
// The caller closes every connection to both files first (for an open
// database, CDaoDatabase::Close folds the log into the file).
class CDatabaseFile
{
public:
    // Copies source over target (a temporary copy beside target, renamed).
    static bool Copy(const QString& source, const QString& target, QString* error);
    // Moves source over target; source is gone afterwards.
    static bool Replace(const QString& source, const QString& target, QString* error);
    // Removes the file and its "-wal"/"-shm" companions.
    static bool Remove(const QString& path, QString* error);

private:
    static void RemoveSideFiles(const QString& path);
};
