#pragma once
// The tables of QUORVEL.DB and how a file of an earlier version is brought up to this one.
// PRAGMA user_version holds the version: 0 is a new, empty file.
struct sqlite3;

namespace quorvel::store {

// The version this program writes; a file with a higher one comes from a newer program.
inline constexpr int kSchemaVersion = 1;

// Brings the file from `version` to kSchemaVersion, inside the caller's write transaction.
bool migrate(sqlite3* db, int version);

}  // namespace quorvel::store
