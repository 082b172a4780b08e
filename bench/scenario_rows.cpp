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

struct SystemChoice {
    std::string land_use;
    std::string management;
    std::string input;
};

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

void write_scenario_rows(const std::string& database, const std::string& path, long rows,
                         unsigned seed) {
    const engine::MemoryTables tables = engine::load_memory_tables(database, {'.'});
    batch::ScenarioCalculator calculator(tables);

    // Each country's regions, and what each region and soil type offers.
    struct Site {
        std::string country;
        std::string region;
        std::string soil;
        const std::vector<SystemChoice>* systems;
    };
    std::vector<std::vector<SystemChoice>> offers;
    offers.reserve(tables.region_names.size() * tables.soil_names.size());
    std::vector<Site> sites;
    std::vector<const std::vector<SystemChoice>*> by_region_soil(
        tables.region_names.size() * tables.soil_names.size(), nullptr);
    for (size_t country = 0; country < tables.country_names.size(); ++country) {
        const std::string& name = tables.country_names.text(static_cast<Id>(country));
        for (Id region : tables.country_regions[country].ids) {
            for (size_t soil = 0; soil < tables.soil_names.size(); ++soil) {
                auto& slot =
                    by_region_soil[static_cast<size_t>(region) * tables.soil_names.size() + soil];
                if (!slot) {
                    offers.push_back(
                        systems_of(tables, calculator, name, region, static_cast<Id>(soil)));
                    slot = &offers.back();
                }
                if (!slot->empty()) {
                    sites.push_back({name, tables.region_names.text(region),
                                     tables.soil_names.text(static_cast<Id>(soil)), slot});
                }
            }
        }
    }
    if (sites.empty())
        throw std::runtime_error("the database offers no scenario that computes");

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
        const Site& site = sites[random() % sites.size()];
        const SystemChoice& from = (*site.systems)[random() % site.systems->size()];
        const SystemChoice& to = (*site.systems)[random() % site.systems->size()];
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
