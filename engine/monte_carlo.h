#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "decimal.h"
#include "uncertain_values.h"

namespace humo::engine {

// How a simulation draws: how many iterations, and the seed that fixes every draw.
struct Simulation {
    static constexpr int64_t kDefaultIterations = 10000;
    static constexpr int64_t kMaxIterations = 100000;

    int64_t iterations = kDefaultIterations;
    uint64_t seed = 1;
};

// The value's draw in one iteration: normal with the value as its mean and its deviation,
// drawn again while below zero. Fixed by the seed, the value's identity and the iteration
// alone, so it does not depend on which other values or rows were drawn before.
double draw(uint64_t seed, uint64_t identity, uint64_t iteration, double mean, double deviation);

// Each value's draws over all iterations, made once and found again wherever the value
// appears: in both systems, and in every row of a batch that reads it.
class ValueDraws {
public:
    explicit ValueDraws(const Simulation& simulation) : simulation_(simulation) {}

    const Simulation& simulation() const { return simulation_; }
    // The value's draws, one per iteration; null for a value used as exact.
    const std::vector<double>* of(const UncertainValue& value);

private:
    Simulation simulation_;
    std::unordered_map<uint64_t, std::vector<double>> draws_;
};

// A quantity's 2.5th and 97.5th percentiles over the iterations.
struct Range {
    double low = 0;
    double high = 0;
};

// The percentiles of the samples, interpolated between the two nearest (the samples are
// reordered).
Range range_95(std::vector<double>& samples);

// A scenario's quantities in every iteration, unrounded: each system's stock, the reference
// times its three factors, and the annual change, (TO − FROM) / 20.
struct ScenarioSamples {
    std::vector<double> from_stock;
    std::vector<double> to_stock;
    std::vector<double> change;
};
void simulate(const ScenarioValues& values, ValueDraws& draws, ScenarioSamples& samples);

// The ranges of one scenario.
struct ScenarioRanges {
    Range from_stock;
    Range to_stock;
    Range change;
};
ScenarioRanges ranges_of(ScenarioSamples& samples);

// A drawn quantity as the shortest decimal that reads back as its double, to be shown as the
// calculator rounds.
numbers::Decimal exact_decimal(double value);

}  // namespace humo::engine
