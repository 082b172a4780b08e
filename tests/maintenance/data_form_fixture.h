#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calculator_session.h"
#include "data_form.h"
#include "fixture_paths.h"
#include "sqlite_statement.h"

namespace humo::maintenance {

using Strings = std::vector<std::string>;

// The calculator on its fixture world, with more taxa, ready to open the data forms.
class DataFormTest : public ::testing::Test {
public:
    DataFormTest()
        : session(testing::read_fixture("calculator.sql") +
                  "INSERT INTO tbl_soiltype_classification VALUES "
                  "('Andosols', 'Volcanic', 'WRB'), ('Podzols', 'Spodic', 'WRB'), "
                  "('Entisols', 'Sandy', 'USDA'), ('Andisols', 'Volcanic', 'USDA');") {
        session.start_calculator();
    }
    calculator::frmmaster& calc() { return session.calc(); }
    app::ReferenceDataForms& data_forms() { return session.module.data_forms(); }
    // The WRB taxon form, opened as the user opens it.
    DataForm& wrb() {
        EXPECT_FALSE(calc().soiltype_fao.user_click());
        return data_forms().taxon_form(calculator::TaxonList::kWrb)();
    }
    DataForm& browser(calculator::DefaultTable table) {
        data_forms().show_browser(table);
        return data_forms().browser(table)();
    }
    // The user edits the land-use factor of Warm / Set aside in the browser and leaves the row
    // unwritten.
    DataForm& edit_set_aside(const std::string& factor) {
        DataForm& form = browser(calculator::DefaultTable::kSystems);
        for (long row = 0; row < form.grdDataGrid.row_count(); ++row) {
            if (form.grdDataGrid.cell_text(row, 0) == "Warm" &&
                form.grdDataGrid.cell_text(row, 1) == "Set aside") {
                form.grdDataGrid.user_select_row(row);
            }
        }
        form.grdDataGrid.user_edit(2, factor);
        return form;
    }
    std::string set_aside_factor(const std::string& file = "humo_tool.mdb") const {
        return table(
                   "SELECT land_use_factor FROM tbl_systems WHERE climate_region = 'Warm' AND "
                   "system = 'Set aside'",
                   file)
            .at(0);
    }
    // The grid's rows as the user sees them, cells joined by '|'.
    static Strings rows(const DataForm& form) {
        Strings shown;
        const forms::DataGrid& grid = form.grdDataGrid;
        for (long row = 0; row < grid.row_count(); ++row) {
            std::string line;
            for (int column = 0; column < grid.column_count(); ++column)
                line += (column ? "|" : "") + grid.cell_text(row, column);
            shown.push_back(line);
        }
        return shown;
    }
    // Rows of the database file itself, or of another file beside it, as another program would
    // read them.
    Strings table(const std::string& sql, const std::string& file = "humo_tool.mdb") const {
        sqlite::Database db(session.dir.file(file), sqlite::OpenMode::kReadOnly);
        sqlite::Statement statement(db, sql);
        Strings result;
        while (statement.step()) {
            std::string line;
            for (int c = 0; c < statement.column_count(); ++c)
                line += (c ? "|" : "") + (statement.is_null(c) ? "NULL" : statement.text(c));
            result.push_back(line);
        }
        return result;
    }
    void change_behind(const std::string& sql) const {
        sqlite::Database(session.dir.file("humo_tool.mdb"), sqlite::OpenMode::kReadWrite)
            .execute(sql);
    }
    std::vector<std::string> messages() const { return session.messages(); }

    testing::CalculatorSession session;
};

using testing::error_box;
using testing::kNoCurrentRecord;

}  // namespace humo::maintenance
