#pragma once

#include <QAbstractTableModel>
#include <QPointer>
#include <QTableView>

#include "control_view.h"
#include "data_grid.h"

namespace humo::qt {

// The rows of a model grid as Qt's item views see them: one column per field headed by the
// field name, each cell as the grid shows it, a pending change as typed.
class GridTableModel : public QAbstractTableModel {
public:
    explicit GridTableModel(forms::DataGrid& grid, QObject* parent)
        : QAbstractTableModel(parent), grid_(&grid) {}

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // What the user typed goes to the grid's current row.
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    // The rows or columns changed: every view reads them again.
    void reload();
    // A cell has a new text; a whole row when `column` is -1.
    void cell_changed(int row, int column);
    void detach() { grid_ = nullptr; }

private:
    forms::DataGrid* grid_;
};

// A data grid: a table of the bound rows whose current row is the grid's. The form's keys come
// first: a navigation key the form acted on does not move the table a second time.
class GridView : public BoundView<QTableView, forms::DataGrid> {
public:
    GridView(forms::DataGrid& grid, QWidget* parent);
    void sync() override;
    void detach() override;
    // Hands what is typed in an open cell editor to the grid, as leaving the cell would.
    void commit_open_editor();

protected:
    void note_change(const forms::ControlChange& change) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    void show_model_row();

    GridTableModel* table_;
    bool rows_changed_ = true;
    // Set while the view shows the model's row, so that is not taken for a user's click.
    bool showing_model_row_ = false;
    // The row the row marker was last drawn at.
    int marked_row_ = -1;
};

}  // namespace humo::qt
