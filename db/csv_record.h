#pragma once

#include <istream>
#include <optional>
#include <string>
#include <vector>

namespace humo::db {

// Reads comma-separated records: fields may be quoted with double quotes, a doubled quote
// inside stands for one, and a quoted field may span lines. Returns nothing at the end.
std::optional<std::vector<std::string>> read_csv_record(std::istream& in);

}  // namespace humo::db
