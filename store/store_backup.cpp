// A copy of QUORVEL.DB taken while it is in use, and one put back in its place.
#include "platform/files.h"
#include "store/quorvel_store.h"
#include "store/schema.h"
#include "store/statement.h"
#include "store/store_files.h"

namespace quorvel {

namespace {

constexpr std::string_view kRestoreInfix = ".before-restore-";
constexpr int kBackupPauseMilliseconds = 50;

// Copies the whole of `from` into `to` page by page, waiting out another program's lock on
// either for the usual while.
StoreWrite copyDatabase(sqlite3* from, sqlite3* to) {
    sqlite3_backup* backup = sqlite3_backup_init(to, "main", from, "main");
    if (backup == nullptr) {
        return store::isBusy(sqlite3_errcode(to)) ? StoreWrite::Busy : StoreWrite::Failed;
    }
    int rc = SQLITE_OK;
    for (int waited = 0;; waited += kBackupPauseMilliseconds) {
        rc = sqlite3_backup_step(backup, -1);
        if (!store::isBusy(rc) || waited >= platform::kLockWaitMilliseconds) {
            break;
        }
        sqlite3_sleep(kBackupPauseMilliseconds);
    }
    const int finished = sqlite3_backup_finish(backup);
    if (rc == SQLITE_DONE && finished == SQLITE_OK) {
        return StoreWrite::Done;
    }
    return store::isBusy(rc) ? StoreWrite::Busy : StoreWrite::Failed;
}

sqlite3* openTarget(const std::string& path) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
        SQLITE_OK) {
        sqlite3_close(db);
        return nullptr;
    }
    sqlite3_busy_timeout(db, platform::kLockWaitMilliseconds);
    store::execute(db, "PRAGMA synchronous = FULL");
    return db;
}

// A copy this program can take for its store: a database, whole, of a version it knows.
sqlite3* openReadableCopy(const std::string& path) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return nullptr;
    }
    int rc = SQLITE_OK;
    const std::optional<int> version = store::pragmaInteger(db, "PRAGMA user_version", rc);
    store::Statement check(db, "PRAGMA quick_check(1)");
    if (!version || *version > store::kSchemaVersion || check.step() != SQLITE_ROW ||
        check.text(0) != "ok") {
        sqlite3_close(db);
        return nullptr;
    }
    return db;
}

void deleteFile(const std::string& path) {
    if (sqlite3_vfs* vfs = sqlite3_vfs_find(nullptr); vfs != nullptr) {
        vfs->xDelete(vfs, path.c_str(), 1);
    }
}

}  // namespace

StoreWrite QuorvelStore::backupTo(std::string_view path) const {
    if (db_ == nullptr) {
        // Nothing was ever kept: there is nothing to copy.
        return status_ == StoreOpen::Failed ? StoreWrite::Failed : StoreWrite::Done;
    }
    sqlite3* target = openTarget(std::string(path));
    if (target == nullptr) {
        return StoreWrite::Failed;
    }
    const StoreWrite outcome = copyDatabase(db_, target);
    sqlite3_close(target);
    return outcome;
}

RestoreOutcome QuorvelStore::restore(std::string_view folder, std::string_view backupPath) {
    RestoreOutcome result;
    sqlite3* copy = openReadableCopy(std::string(backupPath));
    if (copy == nullptr) {
        result.outcome = StoreWrite::Refused;
        return result;
    }
    const std::string path = store::storePath(folder);
    std::string aside;
    if (store::fileExists(path)) {
        aside = store::renameAside(path, kRestoreInfix);
        if (aside.empty()) {
            sqlite3_close(copy);
            result.outcome = StoreWrite::Failed;
            return result;
        }
    }
    sqlite3* target = openTarget(path);
    result.outcome = target != nullptr ? copyDatabase(copy, target) : StoreWrite::Failed;
    sqlite3_close(target);
    sqlite3_close(copy);
    if (result.outcome != StoreWrite::Done) {
        // The file that stood before goes back; a half-made copy must not take its place.
        deleteFile(path);
        deleteFile(path + "-journal");
        if (!aside.empty()) {
            platform::renameToNewName(aside.c_str(), path.c_str());
        }
        return result;
    }
    result.asideName = store::fileName(aside);
    return result;
}

}  // namespace quorvel
