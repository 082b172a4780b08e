#include "recordset.h"

#include <sqlite3.h>

namespace humo::recordset {
namespace {

Failure item_not_found() {
    return {3265,
            "Item cannot be found in the collection corresponding to the requested name or "
            "ordinal.",
            "Recordset"};
}

Value column_value(sqlite3_stmt* statement, int column) {
    switch (sqlite3_column_type(statement, column)) {
        case SQLITE_NULL:
            return {};
        case SQLITE_INTEGER:
            return Value(static_cast<int64_t>(sqlite3_column_int64(statement, column)));
        case SQLITE_FLOAT:
            return Value(sqlite3_column_double(statement, column));
        default:
            return Value(
                std::string(reinterpret_cast<const char*>(sqlite3_column_text(statement, column)),
                            sqlite3_column_bytes(statement, column)));
    }
}

int bind(sqlite3_stmt* statement, int index, const Value& value) {
    if (value.is_null())
        return sqlite3_bind_null(statement, index);
    if (value.is_integer())
        return sqlite3_bind_int64(statement, index, value.as_integer());
    if (value.is_double())
        return sqlite3_bind_double(statement, index, value.as_double());
    const std::string& text = value.as_text();
    return sqlite3_bind_text(statement, index, text.data(), static_cast<int>(text.size()),
                             SQLITE_TRANSIENT);
}

}  // namespace

void Recordset::open(const std::string& sql, Connection& connection,
                     const std::vector<Value>& parameters, CursorType, LockType) {
    if (open_)
        throw failures::object_open();
    sqlite3_stmt* statement = connection.prepare(sql);
    if (static_cast<int>(parameters.size()) != sqlite3_bind_parameter_count(statement)) {
        throw Failure(SQLITE_RANGE, "wrong number of parameters for the query", kEngineSource);
    }
    for (size_t i = 0; i < parameters.size(); ++i) {
        int rc = bind(statement, static_cast<int>(i) + 1, parameters[i]);
        if (rc != SQLITE_OK)
            throw connection.engine_failure(rc);
    }

    std::vector<std::string> names;
    const int columns = sqlite3_column_count(statement);
    for (int c = 0; c < columns; ++c)
        names.emplace_back(sqlite3_column_name(statement, c));

    std::vector<std::vector<Value>> rows;
    int rc;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
        std::vector<Value>& row = rows.emplace_back();
        row.reserve(columns);
        for (int c = 0; c < columns; ++c)
            row.push_back(column_value(statement, c));
    }
    if (rc != SQLITE_DONE) {
        Failure failure = connection.engine_failure(rc);
        sqlite3_reset(statement);
        throw failure;
    }
    sqlite3_reset(statement);

    names_ = std::move(names);
    rows_ = std::move(rows);
    position_ = rows_.empty() ? -1 : 0;
    open_ = true;
}

void Recordset::close() {
    require_open();
    open_ = false;
    names_.clear();
    rows_.clear();
    position_ = -1;
}

void Recordset::require_open() const {
    if (!open_)
        throw failures::object_closed();
}

void Recordset::require_current_row() const {
    require_open();
    if (bof() || eof())
        throw failures::no_current_record();
}

bool Recordset::bof() const {
    require_open();
    return rows_.empty() || position_ < 0;
}

bool Recordset::eof() const {
    require_open();
    return rows_.empty() || position_ >= static_cast<long>(rows_.size());
}

void Recordset::move_first() {
    require_open();
    if (rows_.empty())
        throw failures::no_current_record();
    position_ = 0;
}

void Recordset::move_last() {
    require_open();
    if (rows_.empty())
        throw failures::no_current_record();
    position_ = static_cast<long>(rows_.size()) - 1;
}

void Recordset::move_next() {
    if (eof())
        throw failures::no_current_record();
    ++position_;
}

void Recordset::move_previous() {
    if (bof())
        throw failures::no_current_record();
    --position_;
}

long Recordset::record_count() const {
    require_open();
    return static_cast<long>(rows_.size());
}

int Recordset::field_count() const {
    require_open();
    return static_cast<int>(names_.size());
}

const std::string& Recordset::field_name(int index) const {
    require_open();
    if (index < 0 || index >= static_cast<int>(names_.size()))
        throw item_not_found();
    return names_[index];
}

int Recordset::field_index(std::string_view name) const {
    for (size_t i = 0; i < names_.size(); ++i) {
        if (sqlite3_strnicmp(names_[i].c_str(), name.data(), static_cast<int>(name.size())) == 0 &&
            names_[i].size() == name.size()) {
            return static_cast<int>(i);
        }
    }
    throw item_not_found();
}

const Value& Recordset::value(int index) const {
    require_open();
    if (index < 0 || index >= static_cast<int>(names_.size()))
        throw item_not_found();
    require_current_row();
    return rows_[position_][index];
}

const Value& Recordset::value(std::string_view field_name) const {
    require_open();
    return value(field_index(field_name));
}

}  // namespace humo::recordset
