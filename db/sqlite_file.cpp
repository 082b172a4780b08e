#include "sqlite_file.h"

#include <sqlite3.h>

#include <stdexcept>

namespace humo::db {

SqliteFile::SqliteFile(const std::string& path, Mode mode) : path_(path) {
    const int flags =
        mode == Mode::kReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    const int rc = sqlite3_open_v2(path.c_str(), &db_, flags, nullptr);
    if (rc != SQLITE_OK) {
        const std::string message = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(rc);
        sqlite3_close(db_);
        db_ = nullptr;
        throw std::runtime_error(path + ": " + message);
    }
    // SQLite opens lazily; reading the schema tells a file that is no database apart now.
    if (sqlite3_exec(db_, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr) !=
        SQLITE_OK) {
        const std::string message = sqlite3_errmsg(db_);
        sqlite3_close(db_);
        db_ = nullptr;
        throw std::runtime_error(path + ": " + message);
    }
}

SqliteFile::~SqliteFile() { sqlite3_close(db_); }

void SqliteFile::execute(const std::string& sql) {
    if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK)
        fail("running " + sql.substr(0, 60));
}

void SqliteFile::fail(const std::string& doing) const {
    throw std::runtime_error(path_ + ": " + doing + ": " + sqlite3_errmsg(db_));
}

Statement::Statement(SqliteFile& file, const std::string& sql) : file_(file) {
    if (sqlite3_prepare_v2(file.handle(), sql.c_str(), static_cast<int>(sql.size()), &statement_,
                           nullptr) != SQLITE_OK) {
        file.fail("preparing " + sql);
    }
}

Statement::~Statement() { sqlite3_finalize(statement_); }

Statement& Statement::bind_null(int index) {
    sqlite3_bind_null(statement_, index);
    return *this;
}

Statement& Statement::bind(int index, int64_t value) {
    sqlite3_bind_int64(statement_, index, value);
    return *this;
}

Statement& Statement::bind(int index, double value) {
    sqlite3_bind_double(statement_, index, value);
    return *this;
}

Statement& Statement::bind(int index, std::string_view text) {
    sqlite3_bind_text(statement_, index, text.data(), static_cast<int>(text.size()),
                      SQLITE_TRANSIENT);
    return *this;
}

Statement& Statement::bind_blob(int index, const std::vector<unsigned char>& bytes) {
    sqlite3_bind_blob(statement_, index, bytes.data(), static_cast<int>(bytes.size()),
                      SQLITE_TRANSIENT);
    return *this;
}

void Statement::reset() { sqlite3_reset(statement_); }

bool Statement::step() {
    const int rc = sqlite3_step(statement_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    file_.fail("reading");
}

void Statement::run() {
    while (step()) {
    }
    sqlite3_reset(statement_);
}

int Statement::column_count() const { return sqlite3_column_count(statement_); }

bool Statement::is_null(int column) const {
    return sqlite3_column_type(statement_, column) == SQLITE_NULL;
}

bool Statement::is_number(int column) const {
    const int type = sqlite3_column_type(statement_, column);
    return type == SQLITE_INTEGER || type == SQLITE_FLOAT;
}

int64_t Statement::integer(int column) const { return sqlite3_column_int64(statement_, column); }

double Statement::number(int column) const { return sqlite3_column_double(statement_, column); }

std::string Statement::text(int column) const {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
    return text ? std::string(text, sqlite3_column_bytes(statement_, column)) : std::string();
}

std::string quoted_name(std::string_view name) {
    std::string text = "\"";
    for (char c : name)
        text += c == '"' ? std::string("\"\"") : std::string(1, c);
    return text + "\"";
}

}  // namespace humo::db
