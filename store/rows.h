#pragma once
// What the store's files share inside a write: its outcomes and the details row.
#include <string_view>

#include "store/quorvel_store.h"

namespace quorvel::store {

inline StoreWrite done(bool ok) {
    return ok ? StoreWrite::Done : StoreWrite::Failed;
}

// Replaces the birth details kept under a line (a key, without its line end).
bool saveDetailsIn(sqlite3* db, std::string_view key, const BirthDetails& details);

}  // namespace quorvel::store
