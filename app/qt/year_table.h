#pragma once

#include <QTableWidget>

#include "history_report.h"

namespace humo::app {

// A history's years as the report shows them, read-only; in place of the rows, why there are
// none.
class YearTable : public QTableWidget {
public:
    explicit YearTable(QWidget* parent);

    void show_years(const report::HistoryReport& report);
};

}  // namespace humo::app
