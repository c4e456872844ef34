#include "store/schema.h"

#include <iterator>
#include <string>

#include "store/statement.h"

namespace quorvel::store {

namespace {

// Step n brings version n to n + 1. A step is never changed once released: a later version adds
// a step of its own.
constexpr const char* kSteps[] = {
    // 1: the details of a person, keyed by the bytes of the DATA.CSV line (without its line end,
    // Shift-JIS, so a blob); the birthplace is a prefecture's code or a longitude typed in, each
    // NULL when not so. Settings as words.
    "CREATE TABLE birth_details ("
    "  line BLOB PRIMARY KEY NOT NULL,"
    "  prefecture INTEGER,"
    "  longitude REAL);"
    "CREATE TABLE settings ("
    "  key TEXT PRIMARY KEY NOT NULL,"
    "  value TEXT NOT NULL);",
};

}  // namespace

static_assert(std::size(kSteps) == kSchemaVersion);

bool migrate(sqlite3* db, int version) {
    if (version < 0 || version > kSchemaVersion) {
        return false;
    }
    for (int step = version; step < kSchemaVersion; ++step) {
        if (!execute(db, kSteps[step])) {
            return false;
        }
    }
    const std::string setVersion = "PRAGMA user_version = " + std::to_string(kSchemaVersion);
    return version == kSchemaVersion || execute(db, setVersion.c_str());
}

}  // namespace quorvel::store
