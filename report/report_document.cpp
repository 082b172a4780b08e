#include "report_document.h"

#include "number_text.h"

namespace humo::report {
namespace {

std::string shown(const Figure& figure) { return figure.text + (figure.typed ? " (typed)" : ""); }

std::string chosen(const std::string& item) { return item.empty() ? "(none chosen)" : item; }

std::string range_line(const std::string& what, const RangeShown& shown, const char* units) {
    return what + ": " + shown.value + " " + units + ", 95% range " + shown.low + " to " +
           shown.high + (shown.half_width.empty() ? "" : " (" + shown.half_width + ")");
}

void add_ranges(const CalculationRanges& ranges, numbers::DecimalSeparator separator,
                ReportDocument& document) {
    document.ranges_heading = "How sure: 95% ranges";
    document.ranges = {range_line("FROM predicted stock", ranges.from_stock, "MgC/ha"),
                       range_line("TO predicted stock", ranges.to_stock, "MgC/ha"),
                       range_line("Annual carbon stock change", ranges.change, "MgC/ha/yr"),
                       range_line("Annual CO2, emissions positive", ranges.co2, "MgCO2/ha/yr"),
                       "Drawn in " + std::to_string(ranges.simulation.iterations) +
                           " iterations with seed " + std::to_string(ranges.simulation.seed) + "."};
    if (!ranges.note.empty())
        document.ranges.push_back(ranges.note);
    document.ranges.push_back(not_covered_text(ranges));
    document.ranges_method = kRangesMethod;
    document.histogram = ranges.change_histogram;
    document.change_low = numbers::leading_number(ranges.change.low, separator);
    document.change_high = numbers::leading_number(ranges.change.high, separator);
    document.separator = separator;
}

}  // namespace

ReportDocument report_document(const CalculationReport& r, const CalculationRanges* ranges) {
    ReportDocument document;
    document.title = "HUMO Soil Carbon Tool: calculation report";
    document.origin = report_origin(r.created, r.database_file, r.edition, r.edited);
    document.site_heading = "Site";
    document.site = {
        {"Country", r.country},
        {"Climate region", r.climate_region},
        {"Native soil type", r.soil_type},
        {"Reference carbon stock",
         r.reference_stock.text + " MgC/ha" +
             (r.reference_stock.typed ? " (typed by the user)" : " (from the database)")},
    };
    document.systems = {
        {"", "FROM system", "TO system"},
        {"Land use type", chosen(r.from.land_use), chosen(r.to.land_use)},
        {"Management system", chosen(r.from.management), chosen(r.to.management)},
        {"Input level", chosen(r.from.input), chosen(r.to.input)},
        {"Land-use factor", shown(r.from.land_use_factor), shown(r.to.land_use_factor)},
        {"Management factor", shown(r.from.management_factor), shown(r.to.management_factor)},
        {"Input factor", shown(r.from.input_factor), shown(r.to.input_factor)},
        {"Predicted carbon stock", r.from.stock + " MgC/ha", r.to.stock + " MgC/ha"},
    };
    document.change = "Annual carbon stock change: " + r.annual_change + " MgC/ha/yr";
    document.co2 =
        "As CO2, emissions positive (the change × −44/12): " + annual_co2(r) + " MgCO2/ha/yr";
    document.method =
        "Method: each system's predicted carbon stock is the reference carbon stock multiplied by "
        "its land-use, management and input factors; the annual change is the TO stock minus the "
        "FROM stock, as shown, divided by the 20 years over which the predicted stocks are "
        "reached.";
    document.chart = stock_chart(r.from.stock, r.to.stock, r.separator);
    if (ranges)
        add_ranges(*ranges, r.separator, document);
    return document;
}

}  // namespace humo::report
