#include "year_table.h"

#include <QHeaderView>

namespace humo::app {
namespace {

QString q(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

YearTable::YearTable(QWidget* parent) : QTableWidget(parent) {
    setObjectName("years");
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
}

void YearTable::show_years(const report::HistoryReport& report) {
    clearSpans();
    clear();
    const std::vector<std::string> headings = report::shown_headings(report);
    setColumnCount(static_cast<int>(headings.size()));
    QStringList labels;
    for (const std::string& heading : headings)
        labels << q(heading);
    setHorizontalHeaderLabels(labels);
    if (!report.usable() || report.rows.empty()) {
        setRowCount(1);
        setSpan(0, 0, 1, columnCount());
        auto* why = new QTableWidgetItem(
            report.usable()
                ? QString("No year of the history lies between From and To.")
                : "Cannot be computed: " + q(report::sentence(report::history_error_text(report))));
        why->setToolTip(why->text());
        setItem(0, 0, why);
        return;
    }
    setRowCount(static_cast<int>(report.rows.size()));
    for (size_t row = 0; row < report.rows.size(); ++row) {
        const std::vector<std::string> cells = report::shown_cells(report, report.rows[row]);
        for (size_t column = 0; column < cells.size(); ++column) {
            auto* cell = new QTableWidgetItem(q(cells[column]));
            cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            setItem(static_cast<int>(row), static_cast<int>(column), cell);
        }
    }
}

}  // namespace humo::app
