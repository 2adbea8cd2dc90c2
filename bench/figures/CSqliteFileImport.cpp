#include "bench/figures/CSqliteFileImport.h"

#include <sqlite3.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <string_view>

namespace {

std::string CreateAndInsert(int columns, std::string* insert)
{
    std::string create = "CREATE TABLE t (";
    *insert = "INSERT INTO t VALUES (";
    for (int c = 0; c < columns; ++c) {
        create += (c ? ", c" : "c") + std::to_string(c);
        *insert += c ? ", ?" : "?";
    }
    *insert += ")";
    return create + ")";
}

bool InsertLines(sqlite3_stmt* stmt, std::string_view text, char separator, int columns)
{
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        start = end + 1;
        if (line.empty())
            continue;
        int column = 0;
        size_t from = 0;
        for (; column < columns; ++column) {
            const size_t cut = column + 1 < columns ? line.find(separator, from) : std::string_view::npos;
            const std::string_view field = line.substr(from, cut == std::string_view::npos ? line.npos : cut - from);
            sqlite3_bind_text(stmt, column + 1, field.data(), int(field.size()), SQLITE_STATIC);
            if (cut == std::string_view::npos) {
                ++column;
                break;
            }
            from = cut + 1;
        }
        for (; column < columns; ++column)
            sqlite3_bind_null(stmt, column + 1);
        if (sqlite3_step(stmt) != SQLITE_DONE)
            return false;
        sqlite3_reset(stmt);
    }
    return true;
}

} // namespace

double CSqliteFileImport::Seconds(const std::string& file, char separator, int columns, const std::string& database)
{
    const auto start = std::chrono::steady_clock::now();
    sqlite3* db = nullptr;
    if (sqlite3_open(database.c_str(), &db) != SQLITE_OK) {
        sqlite3_close(db);
        return -1;
    }
    std::string insert;
    const std::string create = CreateAndInsert(columns, &insert);
    sqlite3_stmt* stmt = nullptr;
    bool ok = sqlite3_exec(db, create.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK
              && sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr) == SQLITE_OK
              && sqlite3_prepare_v2(db, insert.c_str(), -1, &stmt, nullptr) == SQLITE_OK;
    if (ok) {
        std::ifstream in(file, std::ios::binary);
        std::ostringstream content;
        content << in.rdbuf();
        const std::string text = content.str();
        ok = in.good() || in.eof();
        ok = ok && InsertLines(stmt, text, separator, columns);
    }
    sqlite3_finalize(stmt);
    ok = ok && sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return ok ? seconds : -1;
}
