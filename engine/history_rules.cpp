#include "history_rules.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <numeric>

#include "name_index.h"

namespace humo::engine {
namespace {

std::string joined(const std::vector<std::string>& errors) {
    std::string text;
    for (const std::string& error : errors)
        text += (text.empty() ? "" : "; ") + error;
    return text;
}

}  // namespace

const SystemColumns kRegimeColumns = {"land_use",        "management",        "input",
                                      "land_use_factor", "management_factor", "input_factor",
                                      "equilibrium"};

std::optional<int> read_year(std::string_view cell) {
    cell = trimmed(cell);
    int year = 0;
    const auto [end, problem] = std::from_chars(cell.data(), cell.data() + cell.size(), year);
    if (problem != std::errc() || end != cell.data() + cell.size() || year < kFirstYear ||
        year > kLastYear)
        return std::nullopt;
    return year;
}

SiteHistory build_history(ScenarioRules& rules, const HistorySiteCells& site_cells,
                          std::span<const RegimeCells> regimes) {
    SiteHistory history;
    auto fail = [&](std::optional<int> year, std::string message) {
        history.error_year = year;
        history.error = std::move(message);
        history.regimes.clear();
        return history;
    };
    if (regimes.empty())
        return fail(std::nullopt, "the history has no regime");

    std::vector<int> years;
    years.reserve(regimes.size());
    for (const RegimeCells& regime : regimes) {
        const std::optional<int> year = read_year(regime.year);
        if (!year) {
            return fail(std::nullopt, "year \"" + std::string(trimmed(regime.year)) +
                                          "\" is not a year from " + std::to_string(kFirstYear) +
                                          " to " + std::to_string(kLastYear));
        }
        years.push_back(*year);
    }
    std::vector<size_t> order(regimes.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return years[a] < years[b]; });
    for (size_t i = 1; i < order.size(); ++i) {
        if (years[order[i]] == years[order[i - 1]])
            return fail(years[order[i]], "two regimes start in " + std::to_string(years[order[i]]));
    }

    rules.clear_errors();
    ScenarioCells cells;
    cells.country = site_cells.country;
    cells.climate_region = site_cells.climate_region;
    cells.soil_type = site_cells.soil_type;
    cells.carbon_stock = site_cells.carbon_stock;
    const std::optional<Site> site = rules.pick_site(cells);
    if (site_cells.area_ha && !trimmed(*site_cells.area_ha).empty())
        history.area = rules.amount("area_ha", *site_cells.area_ha);
    if (!site || !rules.errors().empty()) {
        history.site_at_fault = true;
        return fail(years[order.front()], joined(rules.errors()));
    }

    for (size_t index : order) {
        const std::optional<System> system =
            rules.pick_system(*site, regimes[index].system, kRegimeColumns);
        Stock stock;
        if (system)
            rules.compute_stock(*site, *system, kRegimeColumns, stock);
        if (!system || !stock.error.empty()) {
            std::vector<std::string> errors = rules.errors();
            if (system)
                errors.push_back(stock.error);
            return fail(years[index], joined(errors));
        }
        history.regimes.push_back({years[index], std::move(stock.exact)});
    }

    if (history.area) {
        // Every stock of a history lies between its equilibria: the largest bounds the totals.
        numbers::Decimal largest;
        for (const RegimeStock& regime : history.regimes) {
            if (regime.equilibrium.to_double() > largest.to_double())
                largest = regime.equilibrium;
        }
        if (std::isinf((largest * *history.area).to_double())) {
            history.site_at_fault = true;
            return fail(years[order.front()], "total_stock is beyond the range of numbers");
        }
    }
    return history;
}

}  // namespace humo::engine
