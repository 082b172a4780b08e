#include "editable_recordset.h"

#include <algorithm>
#include <cctype>

#include "failure.h"
#include "number_text.h"
#include "row_values.h"
#include "sqlite_names.h"

namespace humo::recordset {
namespace {

Failure row_changed_by_another() {
    return {-2147217864,
            "The row was changed or deleted by another user after it was read, so nothing was "
            "written. Refresh to see the table as it is now.",
            "Recordset"};
}

Failure not_editable(std::string_view why) {
    return {3251, "The query cannot be edited: " + std::string(why), "Recordset"};
}

// The query with the rowid of each row as its first column.
std::string with_rowid(std::string_view sql) {
    size_t start = 0;
    while (start < sql.size() && std::isspace(static_cast<unsigned char>(sql[start])))
        ++start;
    constexpr std::string_view kSelect = "select";
    auto word_is = [&sql](size_t at, std::string_view word) {
        if (sql.size() < at + word.size())
            return false;
        for (size_t i = 0; i < word.size(); ++i) {
            if (std::tolower(static_cast<unsigned char>(sql[at + i])) != word[i])
                return false;
        }
        return at + word.size() == sql.size() ||
               !std::isalnum(static_cast<unsigned char>(sql[at + word.size()]));
    };
    if (!word_is(start, kSelect))
        throw not_editable("it is not a SELECT");
    size_t after = start + kSelect.size();
    while (after < sql.size() && std::isspace(static_cast<unsigned char>(sql[after])))
        ++after;
    if (word_is(after, "distinct"))
        throw not_editable("its rows are DISTINCT");
    return std::string(sql.substr(0, start + kSelect.size())) + " rowid," +
           std::string(sql.substr(start + kSelect.size()));
}

bool is_number_type(std::string type) {
    std::transform(type.begin(), type.end(), type.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return type.find("INT") != std::string::npos || type.find("REAL") != std::string::npos ||
           type.find("FLOA") != std::string::npos || type.find("DOUB") != std::string::npos ||
           type.find("NUM") != std::string::npos || type.find("DEC") != std::string::npos;
}

}  // namespace

bool EditableRecordset::Row::changed(size_t field) const {
    return field < typed.size() && typed[field];
}

bool EditableRecordset::Row::changed() const {
    return std::any_of(typed.begin(), typed.end(), [](const auto& text) { return text; });
}

void EditableRecordset::open(std::string_view sql, Connection& connection,
                             numbers::DecimalSeparator separator) {
    if (connection_)
        throw failures::object_open();
    const std::string sql_with_rowid = with_rowid(sql);
    sqlite::Statement& statement = connection.prepare(sql_with_rowid);
    const int columns = statement.column_count();
    std::vector<std::string> names;
    std::vector<std::string> origins;
    std::vector<bool> numbers;
    std::string table;
    for (int c = 1; c < columns; ++c) {
        std::optional<sqlite::ColumnOrigin> origin = statement.origin(c);
        if (!origin)
            throw not_editable("a column is not a column of a table");
        if (!table.empty() && table != origin->table)
            throw not_editable("its columns come from more than one table");
        table = origin->table;
        names.push_back(statement.column_name(c));
        origins.push_back(std::move(origin->column));
        numbers.push_back(is_number_type(std::move(origin->declared_type)));
    }
    connection_ = &connection;
    sql_ = sql_with_rowid;
    table_ = table;
    separator_ = separator;
    names_ = std::move(names);
    columns_ = std::move(origins);
    number_fields_ = std::move(numbers);
    try {
        read_rows();
    } catch (...) {
        connection_ = nullptr;
        throw;
    }
    tell_view(RowsetChange::kRows);
    moved();
}

void EditableRecordset::close() {
    require_open();
    // An untouched new row was never the user's; a typed change is the form's to write first.
    if (!on_deleted_row_ && !bof() && !eof() && current_row().is_new && !current_row().changed())
        rows_.erase(rows_.begin() + position_);
    connection_ = nullptr;
    rows_.clear();
    position_ = -1;
    on_deleted_row_ = false;
    tell_view(RowsetChange::kRows);
}

void EditableRecordset::read_rows() {
    sqlite::Statement& statement = connection_->prepare(sql_);
    std::vector<Row> rows;
    try {
        while (statement.step()) {
            Row& row = rows.emplace_back();
            row.rowid = statement.integer(0);
            for (size_t c = 0; c < names_.size(); ++c)
                row.stored.push_back(column_value(statement, static_cast<int>(c) + 1));
        }
    } catch (const Failure& failure) {
        throw connection_->record(failure);
    }
    statement.reset();
    rows_ = std::move(rows);
    position_ = rows_.empty() ? -1 : 0;
    on_deleted_row_ = false;
}

void EditableRecordset::require_open() const {
    if (!connection_)
        throw failures::object_closed();
}

bool EditableRecordset::bof() const {
    require_open();
    return rows_.empty() || position_ < 0;
}

bool EditableRecordset::eof() const {
    require_open();
    return rows_.empty() || position_ >= static_cast<long>(rows_.size());
}

EditableRecordset::Row& EditableRecordset::current_row() {
    if (bof() || eof() || on_deleted_row_)
        throw failures::no_current_record();
    return rows_[position_];
}

const EditableRecordset::Row& EditableRecordset::current_row() const {
    if (bof() || eof() || on_deleted_row_)
        throw failures::no_current_record();
    return rows_[position_];
}

void EditableRecordset::leave_current_row() {
    if (bof() || eof() || on_deleted_row_)
        return;
    Row& row = rows_[position_];
    if (row.is_new && !row.changed()) {
        // Nobody typed into it: it goes, and the rows after it move up.
        rows_.erase(rows_.begin() + position_);
        on_deleted_row_ = true;
        tell_view(RowsetChange::kRows);
        return;
    }
    if (row.changed())
        write(row);
}

void EditableRecordset::move_first() {
    leave_current_row();
    if (rows_.empty())
        throw failures::no_current_record();
    position_ = 0;
    moved();
}

void EditableRecordset::move_last() {
    leave_current_row();
    if (rows_.empty())
        throw failures::no_current_record();
    position_ = static_cast<long>(rows_.size()) - 1;
    moved();
}

void EditableRecordset::move_next() {
    // From a row that was deleted, the next move may run off the end without complaint.
    if (eof() && !on_deleted_row_)
        throw failures::no_current_record();
    leave_current_row();
    // On a row that went, the position already shows the row after it.
    if (!on_deleted_row_)
        ++position_;
    moved();
}

void EditableRecordset::move_previous() {
    if (bof() && !on_deleted_row_)
        throw failures::no_current_record();
    leave_current_row();
    --position_;
    moved();
}

void EditableRecordset::move_to(long index) {
    require_open();
    if (index == current_index())
        return;
    if (index < 0 || index >= static_cast<long>(rows_.size()))
        throw failures::no_current_record();
    const long before = static_cast<long>(rows_.size());
    leave_current_row();
    // A new row left untouched went away; the rows after it moved up one.
    if (static_cast<long>(rows_.size()) < before && index > position_)
        --index;
    position_ = std::min(index, static_cast<long>(rows_.size()) - 1);
    moved();
}

void EditableRecordset::moved() {
    on_deleted_row_ = false;
    tell_view(RowsetChange::kCurrentRow);
    if (MoveComplete)
        MoveComplete();
}

long EditableRecordset::record_count() const {
    require_open();
    return static_cast<long>(rows_.size());
}

long EditableRecordset::absolute_position() const {
    require_open();
    if (rows_.empty() || on_deleted_row_)
        return -1;
    if (position_ < 0)
        return -2;
    if (position_ >= static_cast<long>(rows_.size()))
        return -3;
    return position_ + 1;
}

long EditableRecordset::current_index() const {
    if (!connection_ || bof() || eof() || on_deleted_row_)
        return -1;
    return position_;
}

int EditableRecordset::field_count() const {
    require_open();
    return static_cast<int>(names_.size());
}

const std::string& EditableRecordset::field_name(int field) const {
    require_open();
    return names_.at(static_cast<size_t>(field));
}

bool EditableRecordset::is_number_field(int field) const {
    require_open();
    return number_fields_.at(static_cast<size_t>(field));
}

std::string EditableRecordset::cell_text(long index, int field) const {
    require_open();
    const Row& row = rows_.at(static_cast<size_t>(index));
    if (row.typed.size() > static_cast<size_t>(field) && row.typed[static_cast<size_t>(field)])
        return *row.typed[static_cast<size_t>(field)];
    const Value& stored = row.stored[static_cast<size_t>(field)];
    return stored.is_null() ? std::string() : stored.to_text(separator_);
}

std::string EditableRecordset::text(int field) const {
    current_row();
    return cell_text(position_, field);
}

void EditableRecordset::set_text(int field, std::string text) {
    Row& row = current_row();
    if (field < 0 || field >= static_cast<int>(names_.size()))
        throw failures::object_closed();
    if (!row.changed() && WillChangeRecord)
        WillChangeRecord();
    row.typed.resize(names_.size());
    row.typed[static_cast<size_t>(field)] = std::move(text);
    tell_view(RowsetChange::kCell, position_, field);
}

bool EditableRecordset::pending() const {
    return current_index() >= 0 && rows_[position_].changed();
}

void EditableRecordset::add_new() {
    require_open();
    leave_current_row();
    Row row;
    row.is_new = true;
    row.stored.resize(names_.size());
    rows_.push_back(std::move(row));
    position_ = static_cast<long>(rows_.size()) - 1;
    tell_view(RowsetChange::kRows);
    moved();
}

void EditableRecordset::delete_current() {
    Row& row = current_row();
    if (!row.is_new) {
        std::string sql = "DELETE FROM " + sqlite::quoted_name(table_) + " WHERE rowid = ?";
        std::vector<Value> parameters{Value(row.rowid)};
        for (size_t c = 0; c < columns_.size(); ++c) {
            sql += " AND " + sqlite::quoted_name(columns_[c]) + " IS ?";
            parameters.push_back(row.stored[c]);
        }
        if (execute(*connection_, sql, parameters) == 0)
            throw row_changed_by_another();
    }
    rows_.erase(rows_.begin() + position_);
    on_deleted_row_ = true;
    tell_view(RowsetChange::kRows);
}

void EditableRecordset::update() {
    if (pending())
        write(current_row());
}

void EditableRecordset::update_batch() {
    require_open();
    for (Row& row : rows_) {
        if (row.changed())
            write(row);
    }
}

void EditableRecordset::cancel_update() {
    Row& row = current_row();
    if (row.is_new) {
        rows_.erase(rows_.begin() + position_);
        on_deleted_row_ = true;
        tell_view(RowsetChange::kRows);
        return;
    }
    row.typed.clear();
    tell_view(RowsetChange::kCell, position_);
}

void EditableRecordset::requery() {
    require_open();
    read_rows();
    tell_view(RowsetChange::kRows);
    moved();
}

Value EditableRecordset::typed_value(int field, const std::string& text) const {
    const size_t column = static_cast<size_t>(field);
    const bool number_field = number_fields_[column];
    if (number_field && number_rule_) {
        if (std::optional<std::string> refused = number_rule_(table_, columns_[column], text))
            throw Failure(13, names_[column] + ": \"" + text + "\" " + *refused, kRuntimeSource);
    }
    if (text.empty())
        return {};
    if (!number_field)
        return Value(text);
    auto number = numbers::strict_decimal(text, separator_);
    if (!number)
        throw Failure(13, names_[column] + ": \"" + text + "\" is not a number", kRuntimeSource);
    return Value(number->to_double());
}

void EditableRecordset::write(Row& row) {
    std::vector<Value> values;
    for (size_t c = 0; c < names_.size(); ++c) {
        values.push_back(row.changed(c) ? typed_value(static_cast<int>(c), *row.typed[c])
                                        : row.stored[c]);
    }
    if (row.is_new) {
        std::string columns;
        std::string places;
        std::vector<Value> parameters = values;
        for (const std::string& column : columns_) {
            columns += (columns.empty() ? "" : ", ") + sqlite::quoted_name(column);
            places += places.empty() ? "?" : ", ?";
        }
        for (const auto& [column, value] : new_row_values_) {
            columns += ", " + sqlite::quoted_name(column);
            places += ", ?";
            parameters.push_back(value);
        }
        execute(*connection_,
                "INSERT INTO " + sqlite::quoted_name(table_) + " (" + columns + ") VALUES (" +
                    places + ")",
                parameters);
        row.rowid = connection_->database().last_insert_rowid();
        row.is_new = false;
    } else {
        // Only the fields typed into are set: the others, and the indexes over them, stay.
        std::string sql = "UPDATE " + sqlite::quoted_name(table_) + " SET ";
        std::vector<Value> parameters;
        bool first = true;
        for (size_t c = 0; c < columns_.size(); ++c) {
            if (!row.changed(c))
                continue;
            sql += (first ? "" : ", ") + sqlite::quoted_name(columns_[c]) + " = ?";
            parameters.push_back(values[c]);
            first = false;
        }
        sql += " WHERE rowid = ?";
        parameters.emplace_back(row.rowid);
        for (size_t c = 0; c < columns_.size(); ++c) {
            sql += " AND " + sqlite::quoted_name(columns_[c]) + " IS ?";
            parameters.push_back(row.stored[c]);
        }
        if (execute(*connection_, sql, parameters) == 0)
            throw row_changed_by_another();
    }
    row.stored = std::move(values);
    row.typed.clear();
    // The row is the same row with new values: the grid redraws it, not every row.
    tell_view(RowsetChange::kCell, static_cast<long>(&row - rows_.data()));
}

void EditableRecordset::tell_view(RowsetChange change, long index, int field) const {
    if (view_)
        view_(change, index, field);
}

}  // namespace humo::recordset
