#pragma once

#include <QComboBox>
#include <QSpinBox>
#include <QTableWidget>
#include <functional>
#include <optional>
#include <utility>

#include "land_use_history.h"

namespace humo::app {

// A history's regimes, one a row: the first year in a spin box and the land use, management
// and input each in a list of what the calculator offers for it, then the regime's
// equilibrium. A regime at fault is marked, its error in the row's tip. The cells report what
// the user changes; the rows are redrawn from the history, never the other way round.
class RegimeTable : public QTableWidget {
public:
    enum Column { kYear, kLandUse, kManagement, kInput, kEquilibrium };

    struct Edits {
        std::function<void(int regime, int year)> year;
        // kLandUse, kManagement or kInput.
        std::function<void(int regime, Column column, const QString& name)> pick;
    };

    RegimeTable(Edits edits, QWidget* parent);

    // Shows the history's regimes and what each cell's list offers now.
    void show_regimes(const LandUseHistory& history);
    // The regime whose cell the user was in last, or -1.
    int current_regime() const { return current_regime_; }
    void set_current_regime(int regime) { current_regime_ = regime; }
    // Moves the keyboard focus into a regime's cell.
    void focus_cell(int regime, Column column);
    // The regime and column of the cell that has the keyboard focus, if one has it.
    std::optional<std::pair<int, Column>> focused_cell() const;

    QSpinBox* year_box(int regime) const;
    QComboBox* list(int regime, Column column) const;
    // The cells in the order the Tab key visits them.
    std::vector<QWidget*> cells_in_order() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void add_row();

    Edits edits_;
    int current_regime_ = -1;
};

}  // namespace humo::app
