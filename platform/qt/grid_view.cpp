#include "grid_view.h"

#include <QHeaderView>
#include <QSignalBlocker>

namespace humo::qt {

int GridTableModel::rowCount(const QModelIndex& parent) const {
    return grid_ && !parent.isValid() ? static_cast<int>(grid_->row_count()) : 0;
}

int GridTableModel::columnCount(const QModelIndex& parent) const {
    return grid_ && !parent.isValid() ? grid_->column_count() : 0;
}

QVariant GridTableModel::data(const QModelIndex& index, int role) const {
    if (!grid_ || !index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    if (index.row() >= grid_->row_count() || index.column() >= grid_->column_count())
        return {};
    return QString::fromStdString(grid_->cell_text(index.row(), index.column()));
}

QVariant GridTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (!grid_ || role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal && section < grid_->column_count())
        return QString::fromStdString(grid_->column_name(section));
    if (orientation == Qt::Vertical)
        return section == grid_->current_row() ? QString::fromUtf8("\u25B6") : QString();
    return {};
}

Qt::ItemFlags GridTableModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable;
}

bool GridTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!grid_ || role != Qt::EditRole || !index.isValid())
        return false;
    // An edit belongs to the current row: a cell of another row makes that row current first.
    if (index.row() != grid_->current_row()) {
        grid_->user_select_row(index.row());
        if (!grid_ || grid_->current_row() != index.row())
            return false;
    }
    return !grid_->user_edit(index.column(), value.toString().toStdString());
}

void GridTableModel::reload() {
    beginResetModel();
    endResetModel();
}

void GridTableModel::cell_changed(int row, int column) {
    if (row < 0 || row >= rowCount())
        return;
    const QModelIndex first = index(row, column < 0 ? 0 : column);
    const QModelIndex last = index(row, column < 0 ? columnCount() - 1 : column);
    emit dataChanged(first, last);
}

GridView::GridView(forms::DataGrid& grid, QWidget* parent)
    : BoundView(grid, parent), table_(new GridTableModel(grid, this)) {
    setModel(table_);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    // A double-click picks a row; typing or a click on the chosen cell edits it.
    setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    horizontalHeader()->setStretchLastSection(true);
    // Column widths from the first rows only: a table can hold a hundred thousand.
    horizontalHeader()->setResizeContentsPrecision(200);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    sync();
}

void GridView::note_change(const forms::ControlChange& change) {
    if (change.kind == forms::ChangeKind::kRows)
        rows_changed_ = true;
    if (change.kind == forms::ChangeKind::kCell && !rows_changed_)
        table_->cell_changed(change.row, change.column);
}

void GridView::sync() {
    if (!model_)
        return;
    if (rows_changed_) {
        rows_changed_ = false;
        marked_row_ = -1;
        table_->reload();
        resizeColumnsToContents();
        horizontalHeader()->setStretchLastSection(true);
    }
    show_model_row();
    BoundView::sync();
}

void GridView::detach() {
    table_->detach();
    BoundView::detach();
}

void GridView::show_model_row() {
    const long row = model_->current_row();
    showing_model_row_ = true;
    if (row < 0) {
        clearSelection();
        setCurrentIndex({});
    } else {
        // The cell the user stands in keeps its column; an open editor is left alone.
        if (currentIndex().row() != row) {
            const int column = std::max(0, currentIndex().column());
            setCurrentIndex(table_->index(static_cast<int>(row), column));
        }
        selectionModel()->select(table_->index(static_cast<int>(row), 0),
                                 QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
    showing_model_row_ = false;
    // The row marker moves: only the two rows it leaves and reaches are drawn again.
    for (int marked : {marked_row_, static_cast<int>(row)}) {
        if (marked >= 0 && marked < table_->rowCount())
            emit table_->headerDataChanged(Qt::Vertical, marked, marked);
    }
    marked_row_ = static_cast<int>(row);
}

void GridView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    if (showing_model_row_ || !model_ || !current.isValid())
        return;
    if (current.row() != model_->current_row())
        model_->user_select_row(current.row());
}

void GridView::commit_open_editor() {
    if (state() != QAbstractItemView::EditingState)
        return;
    QWidget* editor = indexWidget(currentIndex());
    if (!editor)
        editor = focusWidget();
    if (editor && isAncestorOf(editor)) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

}  // namespace humo::qt
