#include "store/statement.h"

#include <climits>

namespace quorvel::store {

namespace {

int length(std::string_view bytes) {
    return bytes.size() > INT_MAX ? -1 : static_cast<int>(bytes.size());
}

// A zero-length value bound through a null pointer would be NULL, not empty.
const char* nonNull(std::string_view bytes) {
    return bytes.data() != nullptr ? bytes.data() : "";
}

}  // namespace

Statement::Statement(sqlite3* db, std::string_view sql) {
    if (db == nullptr ||
        sqlite3_prepare_v2(db, sql.data(), length(sql), &statement_, nullptr) != SQLITE_OK) {
        sqlite3_finalize(statement_);
        statement_ = nullptr;
    }
}

Statement::~Statement() {
    sqlite3_finalize(statement_);
}

Statement& Statement::bind(int index, std::string_view text) {
    sqlite3_bind_text(statement_, index, nonNull(text), length(text), SQLITE_TRANSIENT);
    return *this;
}

Statement& Statement::bindBlob(int index, std::string_view bytes) {
    sqlite3_bind_blob(statement_, index, nonNull(bytes), length(bytes), SQLITE_TRANSIENT);
    return *this;
}

Statement& Statement::bind(int index, int value) {
    sqlite3_bind_int(statement_, index, value);
    return *this;
}

Statement& Statement::bind(int index, double value) {
    sqlite3_bind_double(statement_, index, value);
    return *this;
}

Statement& Statement::bindNull(int index) {
    sqlite3_bind_null(statement_, index);
    return *this;
}

int Statement::step() {
    return statement_ != nullptr ? sqlite3_step(statement_) : SQLITE_ERROR;
}

bool Statement::isNull(int column) const {
    return sqlite3_column_type(statement_, column) == SQLITE_NULL;
}

int Statement::integer(int column) const {
    const sqlite3_int64 value = sqlite3_column_int64(statement_, column);
    return value < INT_MIN || value > INT_MAX ? 0 : static_cast<int>(value);
}

double Statement::real(int column) const {
    return sqlite3_column_double(statement_, column);
}

std::string Statement::text(int column) const {
    const unsigned char* text = sqlite3_column_text(statement_, column);
    const int bytes = sqlite3_column_bytes(statement_, column);
    return text != nullptr
               ? std::string(reinterpret_cast<const char*>(text), static_cast<std::size_t>(bytes))
               : std::string();
}

bool execute(sqlite3* db, const char* sql) {
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

std::optional<int> pragmaInteger(sqlite3* db, const char* pragma, int& rc) {
    sqlite3_stmt* statement = nullptr;
    rc = sqlite3_prepare_v2(db, pragma, -1, &statement, nullptr);
    std::optional<int> value;
    if (rc == SQLITE_OK) {
        rc = sqlite3_step(statement);
        if (rc == SQLITE_ROW) {
            value = sqlite3_column_int(statement, 0);
            rc = SQLITE_OK;
        }
    }
    sqlite3_finalize(statement);
    return value;
}

}  // namespace quorvel::store
