#pragma once

#include <QString>

// File-level moves of a closed SQLite database. Every swap writes or moves
// the new file beside the target and renames it over the target in one
// step, so a failure at any point leaves the old database whole; the
// write-ahead-log side files of the replaced database go with it, so they
// are never replayed into the new one.
//
// The caller closes every connection to both files first (the last
// connection to close folds the log into the file). A source whose log
// still holds rows (a connection is still open, or the fold failed) is
// refused: its file alone lacks committed rows.
class CDatabaseFile
{
public:
    // Copies source over target (a temporary copy beside target, renamed).
    static bool Copy(const QString& source, const QString& target, QString* error);
    // Moves source over target; source is gone afterwards.
    static bool Replace(const QString& source, const QString& target, QString* error);
    // Removes the file and its "-wal"/"-shm" companions.
    static bool Remove(const QString& path, QString* error);
    // A name beside path that no file has, for writing a copy to be
    // renamed over path.
    static QString TemporaryName(const QString& path);
    // True when the database's write-ahead log holds rows not yet folded
    // into the file.
    static bool HasPendingLog(const QString& path);

private:
    static void RemoveSideFiles(const QString& path);
    static bool RefusePendingLog(const QString& source, QString* error);
};
