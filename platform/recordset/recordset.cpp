#include "recordset.h"

#include "row_values.h"
#include "sqlite_names.h"

namespace humo::recordset {
namespace {

Failure item_not_found() {
    return {3265,
            "Item cannot be found in the collection corresponding to the requested name or "
            "ordinal.",
            "Recordset"};
}

}  // namespace

void Recordset::open(std::string_view sql, Connection& connection,
                     const std::vector<Value>& parameters, CursorType, LockType) {
    if (open_)
        throw failures::object_open();
    sqlite::Statement& statement = connection.prepare(sql);
    const int columns = statement.column_count();
    values_.clear();
    try {
        bind_all(statement, parameters);
        while (statement.step()) {
            for (int c = 0; c < columns; ++c)
                values_.push_back(column_value(statement, c));
        }
    } catch (const Failure& failure) {
        values_.clear();
        throw connection.record(failure);
    }
    names_.resize(static_cast<size_t>(columns));
    for (int c = 0; c < columns; ++c)
        names_[c] = statement.column_name(c);
    statement.reset();

    position_ = values_.empty() ? -1 : 0;
    open_ = true;
}

void Recordset::close() {
    require_open();
    open_ = false;
    values_.clear();
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
    return row_count() == 0 || position_ < 0;
}

bool Recordset::eof() const {
    require_open();
    return row_count() == 0 || position_ >= row_count();
}

void Recordset::move_first() {
    require_open();
    if (row_count() == 0)
        throw failures::no_current_record();
    position_ = 0;
}

void Recordset::move_last() {
    require_open();
    if (row_count() == 0)
        throw failures::no_current_record();
    position_ = row_count() - 1;
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
    return row_count();
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
    require_open();
    for (size_t i = 0; i < names_.size(); ++i) {
        if (sqlite::same_name(names_[i], name))
            return static_cast<int>(i);
    }
    throw item_not_found();
}

const Value& Recordset::value(int index) const {
    require_open();
    if (index < 0 || index >= static_cast<int>(names_.size()))
        throw item_not_found();
    require_current_row();
    return values_[static_cast<size_t>(position_) * names_.size() + static_cast<size_t>(index)];
}

const Value& Recordset::value(std::string_view field_name) const {
    require_open();
    return value(field_index(field_name));
}

}  // namespace humo::recordset
