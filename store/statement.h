#pragma once
// A prepared SQL statement that finalizes itself; the store's only way to talk to SQLite.
#include <sqlite3.h>

#include <optional>
#include <string>
#include <string_view>

namespace quorvel::store {

class Statement {
  public:
    Statement(sqlite3* db, std::string_view sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // False when the statement could not be prepared (no such table in an older or newer file).
    bool prepared() const { return statement_ != nullptr; }
    // Binding to an unprepared statement does nothing; its step() fails.
    Statement& bind(int index, std::string_view text);
    Statement& bindBlob(int index, std::string_view bytes);
    Statement& bind(int index, int value);
    Statement& bind(int index, double value);
    Statement& bindNull(int index);

    // SQLITE_ROW, SQLITE_DONE, or the error.
    int step();
    // One statement run to its end: true on SQLITE_DONE.
    bool run() { return step() == SQLITE_DONE; }

    bool isNull(int column) const;
    int integer(int column) const;
    double real(int column) const;
    std::string text(int column) const;

  private:
    sqlite3_stmt* statement_ = nullptr;
};

// Runs statements that take no parameters and return no rows; false on the first error.
bool execute(sqlite3* db, const char* sql);

// An integer the file keeps in a one-value pragma (user_version); nullopt with the error in `rc`.
std::optional<int> pragmaInteger(sqlite3* db, const char* pragma, int& rc);

}  // namespace quorvel::store
