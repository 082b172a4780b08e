#pragma once

#include <array>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "csv_reader.h"
#include "scenario_rules.h"

namespace humo::batch {

// The columns a scenario file may have, in the order of the calculator's picks: nine required,
// then the optional ones.
enum class InputColumn {
    kCountry,
    kClimateRegion,
    kSoilType,
    kFromLandUse,
    kFromManagement,
    kFromInput,
    kToLandUse,
    kToManagement,
    kToInput,
    kCarbonStock,
    kAreaHa,
    kAreaUncertainty,
};
inline constexpr size_t kInputColumnCount = 12;
inline constexpr size_t kRequiredColumnCount = 9;

// The columns a batch adds, in their order.
enum class ResultColumn {
    kReferenceStock,
    kFromLandUseFactor,
    kFromManagementFactor,
    kFromInputFactor,
    kFromStock,
    kToLandUseFactor,
    kToManagementFactor,
    kToInputFactor,
    kToStock,
    kAnnualChange,
    kTotalAnnualChange,
    // The 95% ranges, asked for.
    kFromStockLow,
    kFromStockHigh,
    kToStockLow,
    kToStockHigh,
    kAnnualChangeLow,
    kAnnualChangeHigh,
    kTotalAnnualChangeLow,
    kTotalAnnualChangeHigh,
    // The change as CO2, asked for; its ranges with the others.
    kAnnualCo2,
    kAnnualCo2Low,
    kAnnualCo2High,
    kTotalAnnualCo2,
    kTotalAnnualCo2Low,
    kTotalAnnualCo2High,
    kNotCovered,
    kError,
};
inline constexpr size_t kResultColumnCount = 27;

std::string_view column_name(InputColumn column);
std::string_view column_name(ResultColumn column);

// One column of the output: an input column by its position, or a result.
struct OutputColumn {
    bool is_result = false;
    size_t index = 0;
};

// Where each known column is in the input, and what the output holds: every input column in
// order, a result column of an earlier run taking the new result in place, then the results
// the input lacks.
struct ColumnLayout {
    // The position of each input column; -1 for an optional column the file lacks.
    std::array<int, kInputColumnCount> position{};
    size_t width = 0;
    std::vector<OutputColumn> output;
    std::vector<std::string> output_names;
    // True when every result comes after the input's own columns, so a row's input fields can
    // be written out as they were read.
    bool results_appended = true;

    int at(InputColumn column) const { return position[static_cast<size_t>(column)]; }
};

// A header that cannot be used; the message says why.
class HeaderError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The header's names; throws HeaderError when they are not UTF-8 text.
std::vector<std::string> header_names(const CsvRecord& header);

// Where each of `names` is in the header, matched whatever the header's case and surrounding
// blanks; -1 where it is not. Throws HeaderError when the header names one twice.
std::vector<int> find_columns(const std::vector<std::string_view>& header,
                              std::span<const std::string_view> names);
// Throws HeaderError for the first of the first `required` names the header lacks, suggesting
// the column among `others` (the header's columns that are none of ours) most like it.
void require_columns(std::span<const std::string_view> names, std::span<const int> positions,
                     size_t required, const std::vector<std::string>& others);

// What makes a record unreadable before any name in it is looked at: another number of fields
// than the header's `names`, a field that is not UTF-8 text or holds a NUL byte. Empty when
// nothing does.
std::string record_problem(const CsvRecord& record, const std::vector<std::string>& names);

// Which of the optional results a run asks for.
struct AskedResults {
    bool ranges = false;
    bool co2 = false;
};

// Matches the header's names, whatever their case and surrounding blanks. Columns of results not
// asked for are the input's own; the totals are results only when the file has areas.
ColumnLayout layout_columns(const std::vector<std::string_view>& header, AskedResults asked = {});

// The scenario a row's fields name, found where the layout puts each column.
engine::ScenarioCells scenario_cells(const ColumnLayout& layout,
                                     std::span<const std::string_view> fields);

// Why a field of the named column cannot be read as text (not UTF-8, or a NUL byte in it);
// empty when it can.
std::string field_fault(std::string_view field, std::string_view column);

}  // namespace humo::batch
