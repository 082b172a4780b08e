#include "scenario_rows.h"

#include <fstream>
#include <random>
#include <stdexcept>
#include <vector>

#include "csv_writer.h"
#include "memory_tables.h"
#include "scenario.h"

namespace humo::bench {
namespace {

using engine::Id;

// Everything a region offers that computes: each land-use type with each management system and
// input level of its lists, kept when the calculation itself accepts it.
std::vector<SystemChoice> systems_of(const engine::MemoryTables& tables,
                                     batch::ScenarioCalculator& calculator,
                                     const std::string& country, Id region, Id soil) {
    std::vector<SystemChoice> choices;
    const engine::NameList& land_uses = tables.region_land_uses[static_cast<size_t>(region)];
    for (size_t l = 0; l < land_uses.ids.size(); ++l) {
        const size_t land_use = static_cast<size_t>(land_uses.ids[l]);
        std::vector<std::string> inputs = tables.land_use_inputs[land_use].texts;
        inputs.push_back("Does not apply");
        for (const std::string& management : tables.land_use_managements[land_use].texts) {
            for (const std::string& input : inputs) {
                const SystemChoice choice{land_uses.texts[l], management, input};
                const batch::ScenarioCells cells{country,
                                                 tables.region_names.text(region),
                                                 tables.soil_names.text(soil),
                                                 {choice.land_use, choice.management, choice.input},
                                                 {choice.land_use, choice.management, choice.input},
                                                 std::nullopt,
                                                 std::nullopt,
                                                 std::nullopt};
                if (calculator.compute(cells).computed())
                    choices.push_back(choice);
            }
        }
    }
    return choices;
}

}  // namespace

Offers offered_sites(const std::string& database) {
    const engine::MemoryTables tables = engine::load_memory_tables(database, {'.'});
    batch::ScenarioCalculator calculator(tables);

    // Each country's regions, and what each region and soil type offers.
    Offers offers;
    std::vector<int64_t> by_region_soil(tables.region_names.size() * tables.soil_names.size(), -1);
    for (size_t country = 0; country < tables.country_names.size(); ++country) {
        const std::string& name = tables.country_names.text(static_cast<Id>(country));
        for (Id region : tables.country_regions[country].ids) {
            for (size_t soil = 0; soil < tables.soil_names.size(); ++soil) {
                auto& slot =
                    by_region_soil[static_cast<size_t>(region) * tables.soil_names.size() + soil];
                if (slot < 0) {
                    slot = static_cast<int64_t>(offers.systems.size());
                    offers.systems.push_back(
                        systems_of(tables, calculator, name, region, static_cast<Id>(soil)));
                }
                if (!offers.systems[static_cast<size_t>(slot)].empty()) {
                    offers.sites.push_back({name, tables.region_names.text(region),
                                            tables.soil_names.text(static_cast<Id>(soil)),
                                            static_cast<size_t>(slot)});
                }
            }
        }
    }
    if (offers.sites.empty())
        throw std::runtime_error("the database offers no scenario that computes");
    return offers;
}

void write_scenario_rows(const std::string& database, const std::string& path, long rows,
                         unsigned seed) {
    const Offers offers = offered_sites(database);
    std::mt19937 random(seed);
    std::ofstream out(path, std::ios::binary);
    batch::CsvWriter writer(
        [&out](const char* data, size_t size) {
            out.write(data, static_cast<std::streamsize>(size));
        },
        ',', false);
    for (const char* column :
         {"country", "climate_region", "soil_type", "from_land_use", "from_management",
          "from_input", "to_land_use", "to_management", "to_input"}) {
        writer.field(column);
    }
    writer.end_record();
    for (long row = 0; row < rows; ++row) {
        const OfferedSite& site = offers.sites[random() % offers.sites.size()];
        const std::vector<SystemChoice>& systems = offers.systems[site.systems];
        const SystemChoice& from = systems[random() % systems.size()];
        const SystemChoice& to = systems[random() % systems.size()];
        for (const std::string* field :
             {&site.country, &site.region, &site.soil, &from.land_use, &from.management,
              &from.input, &to.land_use, &to.management, &to.input}) {
            writer.field(*field);
        }
        writer.end_record();
    }
    writer.flush();
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

}  // namespace humo::bench
