#include "regime_table.h"

#include <QEvent>
#include <QHeaderView>
#include <QStyle>

#include "choice_list.h"
#include "history_rules.h"

namespace humo::app {
namespace {

const char* const kRowProperty = "regime";

int row_of(const QObject* cell) { return cell->property(kRowProperty).toInt(); }

}  // namespace

RegimeTable::RegimeTable(Edits edits, QWidget* parent)
    : QTableWidget(0, 5, parent), edits_(std::move(edits)) {
    setObjectName("regimes");
    setHorizontalHeaderLabels(
        {"First year", "Land use type", "Management system", "Input level", "Equilibrium"});
    horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    horizontalHeader()->setSectionResizeMode(kYear, QHeaderView::ResizeToContents);
    horizontalHeader()->setSectionResizeMode(kEquilibrium, QHeaderView::ResizeToContents);
    // The cells take the focus one by one, as the Tab key goes from one to the next.
    setFocusPolicy(Qt::NoFocus);
    setTabKeyNavigation(false);
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    // Room for five regimes before the table scrolls.
    setMinimumHeight(horizontalHeader()->sizeHint().height() +
                     5 * (QComboBox().sizeHint().height() + 1) + 2 * frameWidth());
    setMaximumHeight(minimumHeight());
}

void RegimeTable::add_row() {
    const int row = rowCount();
    insertRow(row);
    auto* year = new QSpinBox(this);
    year->setRange(engine::kFirstYear, engine::kLastYear);
    year->setAccessibleName("First year");
    // A year counts once it is typed whole, not at each digit.
    year->setKeyboardTracking(false);
    year->setFrame(false);
    connect(year, &QSpinBox::valueChanged, this,
            [this, year](int value) { edits_.year(row_of(year), value); });
    setCellWidget(row, kYear, year);
    for (Column column : {kLandUse, kManagement, kInput}) {
        auto* list = new QComboBox(this);
        list->setAccessibleName(horizontalHeaderItem(column)->text());
        connect(list, &QComboBox::textActivated, this, [this, list, column](const QString& name) {
            edits_.pick(row_of(list), column, name);
        });
        setCellWidget(row, column, list);
    }
    auto* equilibrium = new QTableWidgetItem;
    equilibrium->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setItem(row, kEquilibrium, equilibrium);
    for (int column = kYear; column <= kInput; ++column) {
        QWidget* cell = cellWidget(row, column);
        cell->setProperty(kRowProperty, row);
        cell->installEventFilter(this);
    }
}

void RegimeTable::show_regimes(const LandUseHistory& history) {
    const report::HistoryReport& report = history.report();
    const std::vector<report::RegimeEntry>& regimes = history.entries().regimes;
    const int count = static_cast<int>(regimes.size());
    while (rowCount() > count)
        removeRow(rowCount() - 1);
    while (rowCount() < count)
        add_row();
    const bool regime_at_fault = !report.usable() && report.error_year && !report.site_at_fault;
    for (int row = 0; row < count; ++row) {
        const report::RegimeEntry& regime = regimes[static_cast<size_t>(row)];
        {
            const QSignalBlocker quiet(year_box(row));
            year_box(row)->setValue(regime.year);
        }
        const auto at = static_cast<size_t>(row);
        show_choices(list(row, kLandUse), history.land_uses(), regime.land_use);
        show_choices(list(row, kManagement), history.managements(at), regime.management);
        show_choices(list(row, kInput), history.inputs(at), regime.input);
        item(row, kEquilibrium)
            ->setText(at < report.equilibria.size()
                          ? QString::fromStdString(report.equilibria[at]) + " MgC/ha"
                          : QString());
        auto* header = new QTableWidgetItem(QString::number(row + 1));
        if (regime_at_fault && regime.year == *report.error_year) {
            header->setIcon(style()->standardIcon(QStyle::SP_MessageBoxWarning));
            header->setToolTip(
                QString::fromStdString(report::sentence(report::history_error_text(report))));
        }
        setVerticalHeaderItem(row, header);
    }
    if (current_regime_ >= count)
        current_regime_ = count - 1;
}

void RegimeTable::focus_cell(int regime, Column column) {
    if (regime < 0 || regime >= rowCount())
        return;
    QWidget* cell = cellWidget(regime, column);
    cell->setFocus(Qt::OtherFocusReason);
    if (auto* year = qobject_cast<QSpinBox*>(cell))
        year->selectAll();
}

std::optional<std::pair<int, RegimeTable::Column>> RegimeTable::focused_cell() const {
    for (int row = 0; row < rowCount(); ++row) {
        for (int column = kYear; column <= kInput; ++column) {
            if (cellWidget(row, column)->hasFocus())
                return std::pair{row, static_cast<Column>(column)};
        }
    }
    return std::nullopt;
}

QSpinBox* RegimeTable::year_box(int regime) const {
    return static_cast<QSpinBox*>(cellWidget(regime, kYear));
}

QComboBox* RegimeTable::list(int regime, Column column) const {
    return static_cast<QComboBox*>(cellWidget(regime, column));
}

std::vector<QWidget*> RegimeTable::cells_in_order() const {
    std::vector<QWidget*> cells;
    for (int row = 0; row < rowCount(); ++row) {
        for (int column = kYear; column <= kInput; ++column)
            cells.push_back(cellWidget(row, column));
    }
    return cells;
}

bool RegimeTable::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        current_regime_ = row_of(watched);
        scrollTo(model()->index(current_regime_, 0));
    }
    return QTableWidget::eventFilter(watched, event);
}

}  // namespace humo::app
