#pragma once

#include <string>

#include "csv_table.h"
#include "editions.h"

namespace humo::db {

// The rows of one table of an edition, assembled from the data folder as data/README.md says:
// the edition's own file where it has one; the extended region scheme (up to the edition's last
// code) for the region list and the country lookup; the value uncertainties converted from the
// edition folder's uncertainty.csv; else the data folder's file.
// Throws std::runtime_error naming the file at fault, also when a removal or an addition of
// the region scheme does not fit the lookup it changes.
CsvTable edition_table(const std::string& data_directory, const Edition& edition,
                       const std::string& table);

}  // namespace humo::db
