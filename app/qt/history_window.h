#pragma once

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QUndoStack>
#include <functional>

#include "file_chooser.h"
#include "history_chart_view.h"
#include "regime_table.h"
#include "year_table.h"

namespace humo::app {

class LandUseHistory;
class Module1;

// "Land-use history": a land unit's soil carbon stock in every year of a history of regimes.
// The site is picked as in the calculator, each regime's land use, management and input from
// what the calculator offers for it; the table of years, the chart and the notes follow each
// change. Every change can be undone (Ctrl+Z), a regime removed by mistake included. The rules
// live in the history the window shows (LandUseHistory); the window only shows it and passes
// on what the user does.
class HistoryWindow : public QDialog {
public:
    HistoryWindow(Module1& module, FileChooser& files, QWidget* parent);

    // Reads the lists afresh from the database, so that edits in the data forms count, and
    // shows the history as it stands.
    void refresh();

    void add_regime();
    void remove_regime();
    void copy();
    void save_report();

    RegimeTable* regimes() const { return regimes_; }
    QTableWidget* years_table() const { return years_table_; }
    const HistoryChartView* chart() const { return chart_; }
    QUndoStack* undo_stack() const { return undo_; }
    QComboBox* country() const { return country_; }
    QComboBox* climate_region() const { return climate_region_; }
    QComboBox* soil_type() const { return soil_type_; }
    QLineEdit* site_name() const { return site_name_; }
    QLineEdit* carbon_stock() const { return carbon_stock_; }
    QLineEdit* area() const { return area_; }
    QSpinBox* from() const { return from_; }
    QSpinBox* to() const { return to_; }
    QSpinBox* every() const { return every_; }
    QPushButton* add_button() const { return add_; }
    QPushButton* copy_button() const { return copy_; }
    QPushButton* save_button() const { return save_; }
    // What the notes say: the error, the assumption and the warning, each on a line if shown.
    QString notes() const;

protected:
    void hideEvent(QHideEvent* event) override;

private:
    QWidget* site_box();
    QWidget* regimes_box();
    QLayout* years_row();
    QLayout* buttons_row();
    LandUseHistory& history();
    // Makes a change to the history as one step that can be undone.
    void edit(const QString& what, const std::function<void(LandUseHistory&)>& change);
    void put_back(const report::HistoryEntries& entries);
    void commit_typing();
    void set_year(int regime, int year);
    void pick_in_regime(int regime, RegimeTable::Column column, const QString& name);
    void show_history();
    void show_site();
    void show_years();
    void order_tabs();
    void tell(const std::string& text, const std::string& title);

    Module1& module_;
    FileChooser& files_;
    QUndoStack* undo_;
    QLineEdit* site_name_;
    QComboBox* country_;
    QComboBox* climate_region_;
    QComboBox* soil_type_;
    QLineEdit* carbon_stock_;
    QLineEdit* area_;
    RegimeTable* regimes_;
    QPushButton* add_;
    QPushButton* remove_;
    QPushButton* undo_button_;
    QSpinBox* from_;
    QSpinBox* to_;
    QSpinBox* every_;
    QPushButton* default_years_;
    QLabel* error_;
    QLabel* assumption_;
    QLabel* warning_;
    YearTable* years_table_;
    HistoryChartView* chart_;
    QPushButton* save_;
    QPushButton* copy_;
    QPushButton* help_;
    QPushButton* close_;
};

}  // namespace humo::app
