#include "data_grid.h"

#include "failure.h"
#include "form.h"
#include "program.h"

namespace humo::forms {

void DataGrid::set_data_source(recordset::EditableRecordset* source) {
    if (source_)
        source_->set_view(nullptr);
    source_ = source;
    if (source_) {
        source_->set_view([this](recordset::RowsetChange change, long row, int column) {
            switch (change) {
                case recordset::RowsetChange::kRows:
                    notify({ChangeKind::kRows});
                    break;
                case recordset::RowsetChange::kCurrentRow:
                    notify({ChangeKind::kCurrentRow, static_cast<int>(current_row())});
                    break;
                case recordset::RowsetChange::kCell:
                    notify({ChangeKind::kCell, static_cast<int>(row), column});
                    break;
            }
        });
    }
    notify({ChangeKind::kRows});
}

namespace {

bool usable_source(const recordset::EditableRecordset* source) {
    return source && source->state() == recordset::ObjectState::kOpen;
}

}  // namespace

long DataGrid::row_count() const { return usable_source(source_) ? source_->record_count() : 0; }

int DataGrid::column_count() const { return usable_source(source_) ? source_->field_count() : 0; }

const std::string& DataGrid::column_name(int column) const { return source_->field_name(column); }

std::string DataGrid::cell_text(long row, int column) const {
    return source_->cell_text(row, column);
}

long DataGrid::current_row() const {
    return usable_source(source_) ? source_->current_index() : -1;
}

std::string DataGrid::column_text(int column) const {
    if (!usable_source(source_))
        throw failures::no_current_record();
    return source_->text(column);
}

Refusal DataGrid::changing_set(const std::function<void()>& change) {
    return form().program().run_user_action([&]() -> Refusal {
        if (auto refusal = user_refusal())
            return refusal;
        if (!usable_source(source_))
            return "no data";
        set_focus();
        try {
            change();
        } catch (const Failure& failure) {
            form().program().msg_box(failure.description());
        }
        return std::nullopt;
    });
}

Refusal DataGrid::user_select_row(long row) {
    if (usable_source(source_) && (row < 0 || row >= source_->record_count()))
        return "no such row";
    return changing_set([this, row] { source_->move_to(row); });
}

Refusal DataGrid::user_edit(int column, std::string text) {
    if (usable_source(source_) && (column < 0 || column >= source_->field_count()))
        return "no such column";
    if (current_row() < 0 && usable_source(source_))
        return "no current row";
    return changing_set([this, column, &text] { source_->set_text(column, std::move(text)); });
}

}  // namespace humo::forms
