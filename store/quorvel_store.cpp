#include "store/quorvel_store.h"

#include <utility>

#include "platform/files.h"
#include "store/rows.h"
#include "store/schema.h"
#include "store/statement.h"
#include "store/store_files.h"
#include "store/store_texts.h"

namespace quorvel {

namespace {

using store::Statement;

constexpr std::string_view kDamagedInfix = ".damaged-";

// The rules as settings: each the word the command line uses.
constexpr std::string_view kSummerTimeKey = "rules.summer_time";
constexpr std::string_view kSolarTimeKey = "rules.solar_time";
constexpr std::string_view kDayChangeKey = "rules.day_change";
constexpr std::string_view kTermsKey = "rules.terms";
constexpr std::string_view kHiddenTableKey = "rules.hidden_table";
constexpr std::string_view kCountTermDayKey = "rules.count_term_day";

// The errors of a file that is not a database, or one SQLite found broken; not those of a file
// another program holds or this one may not read, which are left as they are.
bool isDamage(int rc) {
    const int primary = rc & 0xff;
    return primary == SQLITE_NOTADB || primary == SQLITE_CORRUPT;
}

// Only what this program wrote itself can be wrong here; a file whose values it cannot read
// gives no birthplace rather than a wrong one.
// The prefecture and longitude columns from `first` on.
Birthplace birthplaceOf(const Statement& row, int first = 0) {
    if (!row.isNull(first)) {
        const int code = row.integer(first);
        return code >= 1 && code <= kPrefectureCount ? prefectureBirthplace(code) : Birthplace{};
    }
    if (!row.isNull(first + 1) && isTypedLongitude(row.real(first + 1))) {
        return typedBirthplace(row.real(first + 1));
    }
    return {};
}

void bindBirthplace(Statement& statement, const Birthplace& place) {
    if (place.typed && isTypedLongitude(place.longitude)) {
        statement.bindNull(2).bind(3, place.longitude);
    } else if (!place.typed && place.prefecture >= 1 && place.prefecture <= kPrefectureCount) {
        statement.bind(2, static_cast<int>(place.prefecture)).bindNull(3);
    } else {
        statement.bindNull(2).bindNull(3);
    }
}

// Every connection alike: wait a while for another program's lock, sync the file whole, and
// overwrite what is deleted (an erased note is gone).
void configure(sqlite3* db) {
    sqlite3_busy_timeout(db, platform::kLockWaitMilliseconds);
    store::execute(db, "PRAGMA synchronous = FULL");
    store::execute(db, "PRAGMA secure_delete = ON");
}

bool saveSettingIn(sqlite3* db, std::string_view key, std::string_view value) {
    Statement upsert(db,
                     "INSERT INTO settings (key, value) VALUES (?1, ?2) "
                     "ON CONFLICT (key) DO UPDATE SET value = excluded.value");
    return upsert.bind(1, key).bind(2, value).run();
}

template <typename Rule>
Rule ruleOr(const std::optional<std::string>& word, std::optional<Rule> (*parse)(std::string_view),
            Rule fallback) {
    if (!word) {
        return fallback;
    }
    return parse(*word).value_or(fallback);
}

}  // namespace

namespace store {

bool saveDetailsIn(sqlite3* db, std::string_view key, const BirthDetails& details) {
    Statement upsert(db,
                     "INSERT INTO birth_details (line, prefecture, longitude) "
                     "VALUES (?1, ?2, ?3) ON CONFLICT (line) DO UPDATE SET "
                     "prefecture = excluded.prefecture, longitude = excluded.longitude");
    bindBirthplace(upsert.bindBlob(1, key), details.birthplace);
    return upsert.run();
}

}  // namespace store

std::string_view personKey(std::string_view dataCsvLine) {
    if (dataCsvLine.ends_with('\n')) {
        dataCsvLine.remove_suffix(1);
    }
    if (dataCsvLine.ends_with('\r')) {
        dataCsvLine.remove_suffix(1);
    }
    return dataCsvLine;
}

QuorvelStore QuorvelStore::open(std::string_view folder) {
    QuorvelStore store(store::storePath(folder));
    if (store::fileExists(store.path_)) {
        store.inspect();
    }
    return store;
}

QuorvelStore::~QuorvelStore() {
    close();
}

QuorvelStore::QuorvelStore(QuorvelStore&& other) noexcept
    : path_(std::move(other.path_)),
      db_(std::exchange(other.db_, nullptr)),
      status_(other.status_),
      problem_(std::move(other.problem_)) {}

QuorvelStore& QuorvelStore::operator=(QuorvelStore&& other) noexcept {
    if (this != &other) {
        close();
        path_ = std::move(other.path_);
        db_ = std::exchange(other.db_, nullptr);
        status_ = other.status_;
        problem_ = std::move(other.problem_);
    }
    return *this;
}

void QuorvelStore::close() {
    sqlite3_close(db_);
    db_ = nullptr;
}

void QuorvelStore::fail(std::string_view text) {
    close();
    status_ = StoreOpen::Failed;
    problem_.assign(kStoreFileName).append(text);
}

// Reads the version, and checks every page of a file this program could have written; the file
// is small, and a fault found now cannot cost a detail later.
void QuorvelStore::inspect() {
    if (sqlite3_open_v2(path_.c_str(), &db_, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        fail(text::unopenedStoreText);
        return;
    }
    configure(db_);
    int rc = SQLITE_OK;
    const std::optional<int> version = store::pragmaInteger(db_, "PRAGMA user_version", rc);
    if (version && *version > store::kSchemaVersion) {
        status_ = StoreOpen::Newer;
        problem_.assign(kStoreFileName).append(text::newerStoreText);
        return;
    }
    if (version) {
        Statement check(db_, "PRAGMA quick_check(1)");
        rc = check.step();
        if (rc == SQLITE_ROW && check.text(0) == "ok") {
            status_ = StoreOpen::Ok;
            return;
        }
        if (rc == SQLITE_ROW) {
            rc = SQLITE_CORRUPT;
        }
    }
    if (isDamage(rc)) {
        setAside();
    } else {
        fail(text::unopenedStoreText);
    }
}

void QuorvelStore::setAside() {
    close();
    const std::string aside = store::renameAside(path_, kDamagedInfix);
    if (aside.empty()) {
        fail(text::damagedKeptText);
        return;
    }
    status_ = StoreOpen::SetAside;
    problem_.assign(kStoreFileName)
        .append(text::damagedSetAsideText)
        .append(store::fileName(aside))
        .append(text::damagedSetAsideTail);
}

StoreWrite QuorvelStore::write(const std::function<StoreWrite(sqlite3*)>& body) {
    lastWrite_ = writeOnce(body);
    return lastWrite_;
}

// One transaction: the file is made at the first write and brought to this program's version
// inside it; a file a newer program has written meanwhile is not touched.
StoreWrite QuorvelStore::writeOnce(const std::function<StoreWrite(sqlite3*)>& body) {
    if (status_ == StoreOpen::Newer || status_ == StoreOpen::Failed) {
        return StoreWrite::ReadOnly;
    }
    if (db_ == nullptr) {
        if (sqlite3_open_v2(path_.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                            nullptr) != SQLITE_OK) {
            close();
            return StoreWrite::Failed;
        }
        configure(db_);
    }
    // A rollback journal beside the file, whatever another program left: the file alone, when
    // closed, is then the whole database.
    store::execute(db_, "PRAGMA journal_mode = DELETE");
    if (const int begun = sqlite3_exec(db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        begun != SQLITE_OK) {
        return store::isBusy(begun) ? StoreWrite::Busy : StoreWrite::Failed;
    }
    int rc = SQLITE_OK;
    const std::optional<int> version = store::pragmaInteger(db_, "PRAGMA user_version", rc);
    StoreWrite outcome = StoreWrite::Failed;
    if (version && *version > store::kSchemaVersion) {
        outcome = StoreWrite::ReadOnly;
    } else if (version && store::migrate(db_, *version)) {
        outcome = body(db_);
    }
    if (outcome == StoreWrite::Done) {
        if (const int committed = sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr);
            committed != SQLITE_OK) {
            outcome = store::isBusy(committed) ? StoreWrite::Busy : StoreWrite::Failed;
        }
    }
    if (outcome != StoreWrite::Done) {
        store::execute(db_, "ROLLBACK");
    }
    return outcome;
}

std::optional<BirthDetails> QuorvelStore::birthDetails(std::string_view dataCsvLine) const {
    const std::string_view key = personKey(dataCsvLine);
    if (db_ == nullptr || key.empty()) {
        return std::nullopt;
    }
    Statement select(db_, "SELECT prefecture, longitude FROM birth_details WHERE line = ?1");
    if (select.bindBlob(1, key).step() != SQLITE_ROW) {
        return std::nullopt;
    }
    return BirthDetails{birthplaceOf(select)};
}

std::vector<std::pair<std::string, BirthDetails>> QuorvelStore::allBirthDetails() const {
    std::vector<std::pair<std::string, BirthDetails>> all;
    if (db_ == nullptr) {
        return all;
    }
    Statement select(db_, "SELECT line, prefecture, longitude FROM birth_details ORDER BY line");
    while (select.step() == SQLITE_ROW) {
        all.emplace_back(select.text(0), BirthDetails{birthplaceOf(select, 1)});
    }
    // SQLite orders blobs as std::string does; sorted again only should that ever differ.
    const auto byLine = [](const auto& a, const auto& b) { return a.first < b.first; };
    if (!std::is_sorted(all.begin(), all.end(), byLine)) {
        std::sort(all.begin(), all.end(), byLine);
    }
    return all;
}

bool QuorvelStore::saveBirthDetails(std::string_view dataCsvLine, const BirthDetails& details) {
    const std::string_view key = personKey(dataCsvLine);
    if (key.empty()) {
        return false;
    }
    return write([&](sqlite3* db) {
               return store::done(store::saveDetailsIn(db, key, details));
           }) == StoreWrite::Done;
}

std::optional<ChartRules> QuorvelStore::rules() const {
    const std::optional<std::string> summerTime = setting(kSummerTimeKey);
    const std::optional<std::string> solarTime = setting(kSolarTimeKey);
    const std::optional<std::string> dayChange = setting(kDayChangeKey);
    const std::optional<std::string> terms = setting(kTermsKey);
    const std::optional<std::string> hiddenTable = setting(kHiddenTableKey);
    const std::optional<std::string> countTermDay = setting(kCountTermDayKey);
    if (!summerTime && !solarTime && !dayChange && !terms && !hiddenTable && !countTermDay) {
        return std::nullopt;
    }
    ChartRules rules;
    rules.summerTime = ruleOr(summerTime, summerTimeRuleOf, rules.summerTime);
    rules.solarTime = ruleOr(solarTime, solarTimeRuleOf, rules.solarTime);
    rules.dayChange = ruleOr(dayChange, dayChangeRuleOf, rules.dayChange);
    rules.terms = ruleOr(terms, termRuleOf, rules.terms);
    rules.hiddenTable = ruleOr(hiddenTable, hiddenTableOf, rules.hiddenTable);
    rules.countTermDay = ruleOr(countTermDay, countTermDayOf, rules.countTermDay);
    return rules;
}

bool QuorvelStore::saveRules(const ChartRules& rules) {
    return write([&](sqlite3* db) {
               return store::done(
                   saveSettingIn(db, kSummerTimeKey, ruleWord(rules.summerTime)) &&
                   saveSettingIn(db, kSolarTimeKey, ruleWord(rules.solarTime)) &&
                   saveSettingIn(db, kDayChangeKey, ruleWord(rules.dayChange)) &&
                   saveSettingIn(db, kTermsKey, ruleWord(rules.terms)) &&
                   saveSettingIn(db, kHiddenTableKey, ruleWord(rules.hiddenTable)) &&
                   saveSettingIn(db, kCountTermDayKey, countTermDayWord(rules.countTermDay)));
           }) == StoreWrite::Done;
}

std::optional<std::string> QuorvelStore::setting(std::string_view key) const {
    if (db_ == nullptr) {
        return std::nullopt;
    }
    Statement select(db_, "SELECT value FROM settings WHERE key = ?1");
    if (select.bind(1, key).step() != SQLITE_ROW) {
        return std::nullopt;
    }
    return select.text(0);
}

bool QuorvelStore::saveSetting(std::string_view key, std::string_view value) {
    return write([&](sqlite3* db) { return store::done(saveSettingIn(db, key, value)); }) ==
           StoreWrite::Done;
}

}  // namespace quorvel
