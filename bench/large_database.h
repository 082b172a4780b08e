#pragma once

#include <string>

namespace humo::bench {

// Writes a database about a hundred times the shipped data, every table consistent with the
// others so that any pick finds its rows. The names the calculator depends on are kept, with
// the shipped climate regions, soil types and land-use types listed first:
//   80 climate regions, 60 soil types, 40 land-use types with a reference stock per soil type
//   and region and a land-use factor per land-use type and region;
//   2020 countries "Country 0001".. with 25 regions each; Country 0001 has Boreal and Warm
//   Temperate Dry;
//   22 management systems and 20 input levels for each land-use type (one "Does not apply"
//   for Paddy rice and Set aside, as shipped), with a factor for each in every region,
//   'grassland' for those of Grassland and 'other' for the rest.
void create_large_database(const std::string& path);

}  // namespace humo::bench
