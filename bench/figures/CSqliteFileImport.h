#pragma once

#include <string>

// What the sqlite3 shell's ".import" does, inside this process: the file
// read, each line split at the separator and inserted as text into a bare
// table through one prepared statement, all in one transaction, on a new
// database with SQLite's default settings. The honest yardstick of an
// import of the same file: no process start, no parsing of commands.
class CSqliteFileImport
{
public:
    // Seconds from opening the database to closing it; negative on failure.
    static double Seconds(const std::string& file, char separator, int columns, const std::string& database);
};
