#pragma once

#include <string>

namespace humo::bench {

// Writes a scenario file of `rows` valid rows over the database: random sites and random
// land-use systems that the calculator's lists offer there, every name spelt out (no empty
// cell stands for "Does not apply"), so an SQL join can look each of them up too.
void write_scenario_rows(const std::string& database, const std::string& path, long rows,
                         unsigned seed);

}  // namespace humo::bench
