#include "store/store_files.h"

#include <sqlite3.h>

#include <ctime>

#include "platform/files.h"
#include "store/quorvel_store.h"

namespace quorvel::store {

namespace {

constexpr std::string_view kJournalSuffix = "-journal";  // SQLite's rollback journal
constexpr int kAsideNameAttempts = 100;

}  // namespace

std::string storePath(std::string_view folder) {
    std::string path(folder);
    if (!path.empty() && path.back() != '/' && path.back() != '\\') {
        path += '/';
    }
    return path.append(kStoreFileName);
}

std::string_view fileName(std::string_view path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

// SQLite's "exists" passes over empty files (and so, on Windows, over folders); "readable" does
// not.
bool fileExists(const std::string& path) {
    sqlite3_vfs* vfs = sqlite3_vfs_find(nullptr);
    if (vfs == nullptr) {
        return false;
    }
    for (const int question : {SQLITE_ACCESS_EXISTS, SQLITE_ACCESS_READ}) {
        int found = 0;
        if (vfs->xAccess(vfs, path.c_str(), question, &found) == SQLITE_OK && found != 0) {
            return true;
        }
    }
    return false;
}

std::string timeStamp() {
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    char text[32] = "";
    if (local == nullptr || std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", local) == 0) {
        return "00000000-000000";
    }
    return text;
}

std::string renameAside(const std::string& path, std::string_view infix) {
    const std::string stamp = timeStamp();
    for (int attempt = 1; attempt <= kAsideNameAttempts; ++attempt) {
        std::string aside = path;
        aside.append(infix).append(stamp);
        if (attempt > 1) {
            aside.append("-").append(std::to_string(attempt));
        }
        if (platform::renameToNewName(path.c_str(), aside.c_str())) {
            // A journal left beside the file is its own; a new file must not take it.
            const std::string journal = path + std::string(kJournalSuffix);
            platform::renameToNewName(journal.c_str(),
                                      (aside + std::string(kJournalSuffix)).c_str());
            return aside;
        }
    }
    return {};
}

}  // namespace quorvel::store
