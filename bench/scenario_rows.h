#pragma once

#include <string>
#include <vector>

namespace humo::bench {

struct SystemChoice {
    std::string land_use;
    std::string management;
    std::string input;
};

// A site the calculator's lists offer, with the land-use systems it offers there.
struct OfferedSite {
    std::string country;
    std::string region;
    std::string soil;
    // Its systems, in Offers::systems.
    size_t systems = 0;
};

struct Offers {
    std::vector<std::vector<SystemChoice>> systems;
    std::vector<OfferedSite> sites;
};

// Every site of the database that offers a system that computes, with every such system: each
// land-use type with each management system and input level of its lists, every name spelt out.
Offers offered_sites(const std::string& database);

// Writes a scenario file of `rows` valid rows over the database: random sites and random
// land-use systems that the calculator's lists offer there, every name spelt out (no empty
// cell stands for "Does not apply"), so an SQL join can look each of them up too.
void write_scenario_rows(const std::string& database, const std::string& path, long rows,
                         unsigned seed);

}  // namespace humo::bench
