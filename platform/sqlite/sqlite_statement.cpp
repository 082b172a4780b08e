#include "sqlite_statement.h"

#include <sqlite3.h>

#include "engine_failure.h"

namespace humo::sqlite {

Statement::Statement(Database& database, std::string_view sql) : database_(database) {
    const int rc = sqlite3_prepare_v2(database.native_handle(), sql.data(),
                                      static_cast<int>(sql.size()), &statement_, nullptr);
    if (rc != SQLITE_OK)
        throw engine_failure(database.native_handle(), rc, database.path());
}

Statement::~Statement() { sqlite3_finalize(statement_); }

Statement::Statement(Statement&& other) noexcept
    : database_(other.database_), statement_(other.statement_) {
    other.statement_ = nullptr;
}

void Statement::require_parameter_count(size_t count) const {
    if (static_cast<int>(count) != sqlite3_bind_parameter_count(statement_)) {
        throw engine_failure(SQLITE_RANGE, "wrong number of parameters for the query",
                             database_.path());
    }
}

Statement& Statement::checked_bind(int result_code) {
    if (result_code != SQLITE_OK)
        throw engine_failure(database_.native_handle(), result_code, database_.path());
    return *this;
}

Statement& Statement::bind_null(int index) {
    return checked_bind(sqlite3_bind_null(statement_, index));
}

Statement& Statement::bind(int index, int64_t value) {
    return checked_bind(sqlite3_bind_int64(statement_, index, value));
}

Statement& Statement::bind(int index, double value) {
    return checked_bind(sqlite3_bind_double(statement_, index, value));
}

Statement& Statement::bind(int index, std::string_view text) {
    return checked_bind(sqlite3_bind_text(statement_, index, text.data(),
                                          static_cast<int>(text.size()), SQLITE_TRANSIENT));
}

Statement& Statement::bind_unowned(int index, std::string_view text) {
    return checked_bind(sqlite3_bind_text(statement_, index, text.data(),
                                          static_cast<int>(text.size()), SQLITE_STATIC));
}

Statement& Statement::bind_blob(int index, const std::vector<unsigned char>& bytes) {
    return checked_bind(sqlite3_bind_blob(statement_, index, bytes.data(),
                                          static_cast<int>(bytes.size()), SQLITE_TRANSIENT));
}

bool Statement::step() {
    const int rc = sqlite3_step(statement_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    const Failure failure = engine_failure(database_.native_handle(), rc, database_.path());
    sqlite3_reset(statement_);
    throw failure;
}

void Statement::reset() { sqlite3_reset(statement_); }

void Statement::run() {
    while (step()) {
    }
    sqlite3_reset(statement_);
}

int Statement::column_count() const { return sqlite3_column_count(statement_); }

std::string Statement::column_name(int column) const {
    return sqlite3_column_name(statement_, column);
}

ColumnType Statement::column_type(int column) const {
    switch (sqlite3_column_type(statement_, column)) {
        case SQLITE_NULL:
            return ColumnType::kNull;
        case SQLITE_INTEGER:
            return ColumnType::kInteger;
        case SQLITE_FLOAT:
            return ColumnType::kReal;
        case SQLITE_BLOB:
            return ColumnType::kBlob;
        default:
            return ColumnType::kText;
    }
}

bool Statement::is_null(int column) const { return column_type(column) == ColumnType::kNull; }

bool Statement::is_number(int column) const {
    const ColumnType type = column_type(column);
    return type == ColumnType::kInteger || type == ColumnType::kReal;
}

int64_t Statement::integer(int column) const { return sqlite3_column_int64(statement_, column); }

double Statement::number(int column) const { return sqlite3_column_double(statement_, column); }

std::string Statement::text(int column) const {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
    return text ? std::string(text, static_cast<size_t>(sqlite3_column_bytes(statement_, column)))
                : std::string();
}

std::optional<ColumnOrigin> Statement::origin(int column) const {
    const char* table = sqlite3_column_table_name(statement_, column);
    const char* name = sqlite3_column_origin_name(statement_, column);
    if (!table || !name)
        return std::nullopt;
    const char* declared = sqlite3_column_decltype(statement_, column);
    return ColumnOrigin{table, name, declared ? declared : ""};
}

}  // namespace humo::sqlite
