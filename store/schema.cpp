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
    // 2: the casebook. A person is a row of persons; each of its DATA.CSV lines (the first and
    // every correction, numbered by version) a row of person_lines, kept in the order of their
    // bytes. Notes are UTF-8 text; the history's pillar and shown text Shift-JIS, so blobs. The
    // last consultation is kept with the person, so the list never reads the history.
    "CREATE TABLE persons ("
    "  id INTEGER PRIMARY KEY,"
    "  hidden INTEGER NOT NULL DEFAULT 0,"
    "  note TEXT NOT NULL DEFAULT '',"
    "  last_consulted TEXT);"
    "CREATE TABLE person_lines ("
    "  line BLOB PRIMARY KEY NOT NULL,"
    "  person INTEGER NOT NULL REFERENCES persons (id),"
    "  version INTEGER NOT NULL,"
    "  supersedes BLOB) WITHOUT ROWID;"
    "CREATE INDEX person_lines_by_person ON person_lines (person, version);"
    "CREATE TABLE history ("
    "  id INTEGER PRIMARY KEY,"
    "  person INTEGER NOT NULL REFERENCES persons (id),"
    "  made TEXT NOT NULL,"
    "  kind TEXT NOT NULL,"
    "  source TEXT NOT NULL,"
    "  pillar BLOB NOT NULL,"
    "  year INTEGER NOT NULL,"
    "  month INTEGER NOT NULL,"
    "  day INTEGER NOT NULL,"
    "  file TEXT NOT NULL,"
    "  shown BLOB NOT NULL);"
    "CREATE INDEX history_by_person ON history (person, made);",
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
