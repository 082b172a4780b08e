#pragma once

#include <string>
#include <vector>

#include "edited_values.h"

namespace humo::report {

// Where a report's values come from: when it was made, from which database, and whether its
// values are the shipped ones; the edited rows each on a line of their own.
struct ReportOrigin {
    std::vector<std::string> lines;
    std::vector<std::string> edited_rows;
};

ReportOrigin report_origin(const std::string& created, const std::string& database_file,
                           const std::string& edition, const EditedValues& edited);

}  // namespace humo::report
