#pragma once

#include <string>
#include <variant>

#include "decimal_separator.h"
#include "edited_values.h"

namespace humo::calculator {
class frmmaster;
}

namespace humo::report {

// A number from the calculator's boxes, and whether the user typed it instead of taking the
// table's value.
struct Figure {
    std::string text;
    bool typed = false;
};

struct SystemFigures {
    std::string land_use;
    std::string management;
    std::string input;
    Figure land_use_factor;
    Figure management_factor;
    Figure input_factor;
    std::string stock;
};

// The figures of the calculation the calculator shows, as they stand in its boxes.
struct CalculationReport {
    // When the report was made, as "YYYY-MM-DD HH:MM".
    std::string created;
    std::string database_file;
    // The title of the edition of the default values the database records.
    std::string edition;
    EditedValues edited;

    std::string country;
    std::string climate_region;
    std::string soil_type;
    Figure reference_stock;
    SystemFigures from;
    SystemFigures to;
    std::string annual_change;
    numbers::DecimalSeparator separator;
};

// Why there is no report to make.
struct NoReport {
    std::string reason;
};

// Gathers the report of what the calculator shows; there is one only while both predicted
// stocks are shown. Whether a value was typed is told by looking the picks up in the database
// as the calculator does.
std::variant<CalculationReport, NoReport> gather_report(const calculator::frmmaster& calculator,
                                                        const std::string& database_file,
                                                        const std::string& defaults_file,
                                                        numbers::DecimalSeparator separator,
                                                        const std::string& created);

}  // namespace humo::report
