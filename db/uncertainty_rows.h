#pragma once

#include <string>

#include "csv_table.h"

namespace humo::db {

// The rows of value_uncertainty made from the uncertainty.csv of an edition's folder, one per
// record in the file's order: the value table and the key of the value, the value as
// published, N of its ±N%, and how many standard deviations the ± spans (2, or 1.96 for a 95%
// confidence limit). Throws std::runtime_error naming the file and line of a record it cannot
// take: a file that is not a value table with uncertainties, a malformed key or ±, a definition
// that says neither, or a value other than the edition's own at that key.
CsvTable uncertainty_rows(const std::string& edition_folder);

}  // namespace humo::db
