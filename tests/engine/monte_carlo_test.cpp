// The ranges from published uncertainties, checked against what statistics says they must be,
// not against the code's own arithmetic.

#include <gtest/gtest.h>

#include <cmath>
#include <numeric>

#include "monte_carlo.h"

namespace humo::engine {
namespace {

using Strings = std::vector<std::string>;

constexpr numbers::DecimalSeparator kPoint{'.'};

// The worked example's site and systems: cropland under full tillage and medium input turned
// into improved grassland with high input.
ScenarioShown kenya(std::string_view stock = "38", std::string_view improved = "1.17") {
    ScenarioShown shown;
    shown.climate_region = "Tropical Dry";
    shown.soil_type = "High clay activity mineral";
    shown.reference_stock = stock;
    shown.from = {"Long-term cultivated", "Full tillage", "Medium", {"0.69", "1", "1"}, {}};
    shown.to = {"Grassland", "Improved", "High", {"1", improved, "1.11"}, {}};
    return shown;
}

// Each value of the example published with the same ±, as two standard deviations.
PublishedUncertainties published_all(double plus_minus) {
    PublishedUncertainties published;
    const ScenarioShown s = kenya();
    published.add({ValueTable::kReferenceStock, s.climate_region, s.soil_type, {}},
                  {38, plus_minus, 2});
    published.add({ValueTable::kLandUseFactor, s.climate_region, "Long-term cultivated", {}},
                  {0.69, plus_minus, 2});
    published.add({ValueTable::kManagementFactor, s.climate_region, "Improved", "grassland"},
                  {1.17, plus_minus, 2});
    published.add({ValueTable::kInputFactor, s.climate_region, "High", {}}, {1.11, plus_minus, 2});
    return published;
}

struct Simulated {
    ScenarioSamples samples;
    ScenarioRanges ranges;
};

Simulated simulated(const ScenarioValues& values, int64_t iterations, uint64_t seed = 1) {
    ValueDraws draws({iterations, seed});
    Simulated result;
    simulate(values, draws, result.samples);
    ScenarioSamples copy = result.samples;
    result.ranges = ranges_of(copy);
    return result;
}

double mean(const std::vector<double>& samples) {
    return std::accumulate(samples.begin(), samples.end(), 0.0) /
           static_cast<double>(samples.size());
}

TEST(Ranges, TheMeanIsTheExactProductAndASmallSpreadIsTheErrorPropagationFormulas) {
    // ±2% as two standard deviations: each value's relative deviation is 1%.
    const ScenarioValues values = scenario_values(published_all(2), kenya(), kPoint);
    const Simulated result = simulated(values, 100000);
    const double from = 38 * 0.69, to = 38 * 1.17 * 1.11;
    // Within four standard errors of the mean.
    EXPECT_NEAR(mean(result.samples.from_stock), from, 4 * from * 0.014 / std::sqrt(1e5));
    EXPECT_NEAR(mean(result.samples.to_stock), to, 4 * to * 0.018 / std::sqrt(1e5));
    // A product's relative deviation is the root of the sum of its factors' squared.
    const double from_half = 1.96 * from * 0.01 * std::sqrt(2.0);
    const double to_half = 1.96 * to * 0.01 * std::sqrt(3.0);
    EXPECT_NEAR((result.ranges.from_stock.high - result.ranges.from_stock.low) / 2, from_half,
                0.03 * from_half);
    EXPECT_NEAR((result.ranges.to_stock.high - result.ranges.to_stock.low) / 2, to_half,
                0.03 * to_half);
    EXPECT_NEAR(result.ranges.from_stock.low + result.ranges.from_stock.high, 2 * from,
                0.01 * from);
}

TEST(Ranges, TheSharedReferenceStockNarrowsTheChangeAsIndependentDrawsWouldNot) {
    // Only the reference stock is uncertain: ±90%, as the 2006 edition publishes it.
    PublishedUncertainties published;
    published.add({ValueTable::kReferenceStock, "Tropical Dry", "High clay activity mineral", {}},
                  {38, 90, 2});
    const ScenarioValues values = scenario_values(published, kenya(), kPoint);
    const Simulated shared = simulated(values, 20000);
    // The same stock drawn apart for each system, as a tool that did not share it would.
    std::vector<double> apart(20000);
    for (size_t i = 0; i < apart.size(); ++i) {
        const double from = draw(1, 11, i, 38, 38 * 0.45) * 0.69;
        const double to = draw(1, 12, i, 38, 38 * 0.45) * 1.17 * 1.11;
        apart[i] = (to - from) / 20;
    }
    const Range independent = range_95(apart);
    const double shared_width = shared.ranges.change.high - shared.ranges.change.low;
    const double apart_width = independent.high - independent.low;
    // Shared: the change is the stock times (1.2987 − 0.69) / 20; apart, both stocks vary.
    EXPECT_LT(shared_width, 0.6 * apart_width);
    // Every iteration's change has the sign of the factors' difference.
    EXPECT_GE(*std::min_element(shared.samples.change.begin(), shared.samples.change.end()), 0);
}

TEST(Ranges, TheSeedFixesTheDrawsAndAnotherSeedAgreesWithinTheMonteCarloError) {
    const ScenarioValues values = scenario_values(published_all(30), kenya(), kPoint);
    const Simulated first = simulated(values, 10000, 1);
    const Simulated again = simulated(values, 10000, 1);
    const Simulated other = simulated(values, 10000, 2);
    EXPECT_EQ(first.samples.change, again.samples.change);
    EXPECT_NE(first.samples.change, other.samples.change);
    // Two seeds' percentiles of 10,000 draws differ by about 1% of the width: four times that.
    const double width = first.ranges.change.high - first.ranges.change.low;
    EXPECT_NEAR(first.ranges.change.low, other.ranges.change.low, 0.04 * width);
    EXPECT_NEAR(first.ranges.change.high, other.ranges.change.high, 0.04 * width);
}

TEST(Ranges, DrawsBelowZeroAreDrawnAgain) {
    std::vector<double> draws(20000);
    for (size_t i = 0; i < draws.size(); ++i)
        draws[i] = draw(7, 3, i, 1, 0.95);
    EXPECT_GE(*std::min_element(draws.begin(), draws.end()), 0);
    // Cutting off the lower tail raises the mean above the value.
    EXPECT_GT(mean(draws), 1.1);
    // Exact values are never drawn.
    EXPECT_EQ(draw(7, 3, 0, 1.17, 0), 1.17);
}

TEST(Ranges, AValueWithoutAPublishedUncertaintyIsUsedAsExactAndNamed) {
    const PublishedUncertainties none;
    const ScenarioValues bare = scenario_values(none, kenya(), kPoint);
    // Factors of 1 are reference levels, exact by definition.
    EXPECT_EQ(bare.not_covered(),
              (Strings{"reference stock 38", "land-use factor 0.69",
                       "grassland management factor 1.17", "grassland input factor 1.11"}));
    const Simulated exact = simulated(bare, 100);
    EXPECT_EQ(exact.ranges.change.low, exact.ranges.change.high);
    EXPECT_NEAR(exact.ranges.change.low, (38 * 1.17 * 1.11 - 38 * 0.69) / 20, 1e-12);

    // An edited value, and a stock the user typed, are used as exact too.
    ScenarioShown typed = kenya("40", "1.2");
    typed.reference_typed = true;
    typed.from.typed = {false, true, false};
    const ScenarioValues edited = scenario_values(published_all(10), typed, kPoint);
    EXPECT_EQ(edited.not_covered(),
              (Strings{"reference stock 40 (typed)", "management factor 1 (typed)",
                       "grassland management factor 1.2 (edited)"}));
    EXPECT_FALSE(edited.reference.drawn());
    EXPECT_TRUE(edited.from[0].drawn());
    EXPECT_DOUBLE_EQ(edited.to[2].deviation, 1.11 * 0.05);
}

TEST(Ranges, NamesMatchWhateverTheirCaseAndAValueIsItsOwnWhereverItAppears) {
    ScenarioShown shouted = kenya();
    shouted.climate_region = "TROPICAL DRY";
    shouted.to.management = "improved";
    const ScenarioValues values = scenario_values(published_all(10), shouted, kPoint);
    EXPECT_TRUE(values.not_covered().empty());
    EXPECT_EQ(values.to[1].identity,
              scenario_values(published_all(10), kenya(), kPoint).to[1].identity);
    // A land use's factor is another value than the management system's of the same name.
    EXPECT_NE(value_identity({ValueTable::kLandUseFactor, "Boreal", "Grassland", {}}),
              value_identity({ValueTable::kManagementFactor, "Boreal", "Grassland", "grassland"}));
}

TEST(Ranges, PercentilesInterpolateBetweenTheNearestSamples) {
    std::vector<double> samples(201);
    std::iota(samples.rbegin(), samples.rend(), 0.0);  // 200 down to 0
    const Range range = range_95(samples);
    EXPECT_DOUBLE_EQ(range.low, 5);
    EXPECT_DOUBLE_EQ(range.high, 195);
    std::vector<double> four{4, 1, 3, 2};
    EXPECT_DOUBLE_EQ(range_95(four).low, 1.075);  // 2.5% of the way: at 0.075
    EXPECT_EQ(exact_decimal(0.1).fixed(2, kPoint), "0.10");
    EXPECT_EQ(exact_decimal(-2.675).fixed(2, kPoint), "-2.68");  // shown halves away from zero
}

}  // namespace
}  // namespace humo::engine
