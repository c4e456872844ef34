#pragma once
// QUORVEL.DB as a file among the folder's others: where it lies, and the names it is set aside
// under (a damaged file, the file a restore replaces).
#include <string>
#include <string_view>

namespace quorvel::store {

// `folder`/QUORVEL.DB; "" is the working folder.
std::string storePath(std::string_view folder);

// The last part of a path, after either slash.
std::string_view fileName(std::string_view path);

// Whether a file (an empty one too) is at `path`, asked through SQLite, which reads the name as
// UTF-8 on every system.
bool fileExists(const std::string& path);

// The local time now as YYYYMMDD-HHMMSS.
std::string timeStamp();

// Renames `path` (and its rollback journal, if one lies beside it) to `path` + infix + the time
// stamp, with -2, -3 … when taken; the new name, or empty when it could not be renamed.
std::string renameAside(const std::string& path, std::string_view infix);

}  // namespace quorvel::store
