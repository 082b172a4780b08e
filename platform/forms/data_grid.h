#pragma once

#include <string>

#include "control.h"
#include "editable_recordset.h"

namespace humo::forms {

// A grid bound to an editable record set: one column per field headed by the field name, the
// set's current row as its current row. What the user types goes to the set as a pending
// change of the current row; clicking another row moves the set, which writes that change.
class DataGrid : public Control {
public:
    DataGrid(Form& form, std::string name, Rect rect)
        : Control(form, std::move(name), ControlKind::kGrid, rect) {}
    ~DataGrid() override { set_data_source(nullptr); }

    // Binds the grid to a set, or unbinds it with nullptr; an unbound grid shows nothing.
    void set_data_source(recordset::EditableRecordset* source);
    recordset::EditableRecordset* data_source() const { return source_; }

    long row_count() const;
    int column_count() const;
    const std::string& column_name(int column) const;
    std::string cell_text(long row, int column) const;
    // The current row from 0, -1 when there is none.
    long current_row() const;
    // The text of a column in the current row; 3021 without one.
    std::string column_text(int column) const;

    // A grid over a table the user only browses offers no line for new rows and deletes none.
    bool allow_add_new() const { return allow_add_new_; }
    void set_allow_add_new(bool allow) { allow_add_new_ = allow; }

    bool focusable_kind() const override { return true; }

    // The user clicks a row: it becomes current, after the row left behind is written. A
    // refused write is shown as its description, and the row stays.
    Refusal user_select_row(long row);
    // The user types into a cell of the current row.
    Refusal user_edit(int column, std::string text);

private:
    // Runs a change of the set; a failure is shown as its description.
    Refusal changing_set(const std::function<void()>& change);

    recordset::EditableRecordset* source_ = nullptr;
    bool allow_add_new_ = true;
};

}  // namespace humo::forms
