#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "connection.h"
#include "decimal_separator.h"
#include "value.h"

namespace humo::recordset {

// What changed in an editable set, for the grid that shows it: rows came or went, the current
// row moved, or one cell (a whole row when the field is -1) has a new text.
enum class RowsetChange { kRows, kCurrentRow, kCell };

// A static snapshot of one table's rows that can be changed, as a data form edits it. Each row
// keeps its identity (the table's rowid), so a change is written to exactly the row it was read
// from, and only if nobody changed or deleted that row since: otherwise nothing is written and
// the write fails.
//
// A change typed into the current row is pending until the row is written: when the current
// row moves (every navigation call counts as a move, even one that lands on the same row), on
// update() or update_batch(). A refused write leaves the row current and pending.
class EditableRecordset {
public:
    // Opens a query over one table. Number columns (declared REAL or INTEGER) take only numbers
    // written with `separator`; their values are shown in the general text form.
    void open(std::string_view sql, Connection& connection, numbers::DecimalSeparator separator);
    void close();
    ObjectState state() const { return connection_ ? ObjectState::kOpen : ObjectState::kClosed; }

    bool bof() const;
    bool eof() const;
    void move_first();
    void move_last();
    void move_next();
    void move_previous();
    // Moves to the row at `index` (from 0); moving to the current row is no move at all.
    void move_to(long index);
    long record_count() const;
    // 1 for the first row; -1 without rows, -2 before the first row, -3 after the last.
    long absolute_position() const;
    // The current row's index from 0, -1 when there is none.
    long current_index() const;

    int field_count() const;
    const std::string& field_name(int field) const;
    bool is_number_field(int field) const;
    // A row's field as the grid shows it: a pending text as typed, a stored value in its text
    // form, a null as "".
    std::string cell_text(long index, int field) const;
    // The current row's field; 3021 without a current row.
    std::string text(int field) const;

    // Changes a field of the current row, pending until the row is written.
    void set_text(int field, std::string text);
    bool pending() const;
    // A new, empty row after the last, made current. A new row nobody typed into is dropped,
    // not written, when the row moves or the set closes.
    void add_new();
    // What a number column takes besides being a number, by the tables' own rules: given the
    // table, the column and the text typed (an empty text too), the reason it is refused, or
    // nothing. Without a rule, an empty text is stored as null.
    using NumberRule = std::function<std::optional<std::string>(
        std::string_view table, std::string_view column, std::string_view text)>;
    void set_number_rule(NumberRule rule) { number_rule_ = std::move(rule); }

    // Values that every written new row gets for columns the query does not show.
    void set_new_row_values(std::vector<std::pair<std::string, Value>> values) {
        new_row_values_ = std::move(values);
    }
    // Deletes the current row from the table at once; the position stays where it was, on no
    // row, until the next move.
    void delete_current();
    // Writes the current row's pending change.
    void update();
    // Writes every pending change.
    void update_batch();
    // Forgets the current row's pending change; a new row goes altogether.
    void cancel_update();
    // Reads the rows again, at the first row. Pending changes are forgotten.
    void requery();

    // The form's notifications: after every move, and before a row first changes.
    std::function<void()> MoveComplete;
    std::function<void()> WillChangeRecord;
    // The bound grid's view of the set.
    void set_view(std::function<void(RowsetChange, long index, int field)> view) {
        view_ = std::move(view);
    }

private:
    struct Row {
        int64_t rowid = 0;
        std::vector<Value> stored;
        // What was typed, per field; empty until the first change, as most rows never have one.
        std::vector<std::optional<std::string>> typed;
        bool is_new = false;
        bool changed() const;
        bool changed(size_t field) const;
    };

    void read_rows();
    void require_open() const;
    Row& current_row();
    const Row& current_row() const;
    // Writes the current row when it has a pending change; drops an untouched new row.
    void leave_current_row();
    void write(Row& row);
    void insert(Row& row);
    Value typed_value(int field, const std::string& text) const;
    void moved();
    void tell_view(RowsetChange change, long index = -1, int field = -1) const;

    Connection* connection_ = nullptr;
    std::string sql_;
    std::string table_;
    numbers::DecimalSeparator separator_;
    std::vector<std::string> names_;
    std::vector<std::string> columns_;
    std::vector<bool> number_fields_;
    std::vector<Row> rows_;
    std::vector<std::pair<std::string, Value>> new_row_values_;
    NumberRule number_rule_;
    // -1 before the first row, rows_.size() after the last.
    long position_ = -1;
    // The current row was deleted: no row is current until the next move.
    bool on_deleted_row_ = false;
    std::function<void(RowsetChange, long, int)> view_;
};

}  // namespace humo::recordset
