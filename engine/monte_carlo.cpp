#include "monte_carlo.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <numbers>

#include "carbon_arithmetic.h"

namespace humo::engine {
namespace {

// SplitMix64's finaliser: consecutive inputs give independent-looking outputs.
uint64_t mixed(uint64_t x) {
    x += 0x9e3779b97f4a7c15ULL;
    x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ULL;
    x = (x ^ (x >> 27)) * 0x94d049bb133111ebULL;
    return x ^ (x >> 31);
}

// A uniform number in (0, 1): never 0, whose logarithm the normal draw takes.
double uniform(uint64_t bits) { return (static_cast<double>(bits >> 11) + 0.5) * 0x1.0p-53; }

}  // namespace

double draw(uint64_t seed, uint64_t identity, uint64_t iteration, double mean, double deviation) {
    if (deviation <= 0)
        return mean;
    uint64_t state = mixed(mixed(seed) ^ identity) ^ mixed(iteration);
    for (;;) {
        // Box–Muller from two uniforms of this iteration's stream.
        const double u1 = uniform(state = mixed(state));
        const double u2 = uniform(state = mixed(state));
        const double z = std::sqrt(-2 * std::log(u1)) * std::cos(2 * std::numbers::pi * u2);
        const double value = mean + deviation * z;
        if (value >= 0)
            return value;
    }
}

const std::vector<double>* ValueDraws::of(const UncertainValue& value) {
    if (!value.drawn())
        return nullptr;
    auto [found, added] = draws_.try_emplace(value.identity);
    if (added) {
        std::vector<double>& draws = found->second;
        draws.resize(static_cast<size_t>(simulation_.iterations));
        for (size_t i = 0; i < draws.size(); ++i)
            draws[i] = draw(simulation_.seed, value.identity, i, value.value, value.deviation);
    }
    return &found->second;
}

Range range_95(std::vector<double>& samples) {
    if (samples.empty())
        return {};
    // The percentile p lies at p·(n − 1) in the sorted samples.
    auto percentile = [&samples](double p) {
        const double at = p * static_cast<double>(samples.size() - 1);
        const auto below = static_cast<size_t>(at);
        std::nth_element(samples.begin(), samples.begin() + static_cast<ptrdiff_t>(below),
                         samples.end());
        const double lower = samples[below];
        if (below + 1 >= samples.size())
            return lower;
        const double upper =
            *std::min_element(samples.begin() + static_cast<ptrdiff_t>(below) + 1, samples.end());
        return lower + (upper - lower) * (at - static_cast<double>(below));
    };
    return {percentile(0.025), percentile(0.975)};
}

void simulate(const ScenarioValues& values, ValueDraws& draws, ScenarioSamples& samples) {
    const auto n = static_cast<size_t>(draws.simulation().iterations);
    const std::vector<double>* reference = draws.of(values.reference);
    auto stocks = [&](const std::array<UncertainValue, 3>& factors, std::vector<double>& stock) {
        stock.assign(n, values.reference.value);
        if (reference)
            std::copy(reference->begin(), reference->end(), stock.begin());
        for (const UncertainValue& factor : factors) {
            if (const std::vector<double>* drawn = draws.of(factor)) {
                for (size_t i = 0; i < n; ++i)
                    stock[i] *= (*drawn)[i];
            } else {
                for (double& s : stock)
                    s *= factor.value;
            }
        }
    };
    stocks(values.from, samples.from_stock);
    stocks(values.to, samples.to_stock);
    samples.change.resize(n);
    for (size_t i = 0; i < n; ++i)
        samples.change[i] = (samples.to_stock[i] - samples.from_stock[i]) / kYears;
}

ScenarioRanges ranges_of(ScenarioSamples& samples) {
    return {range_95(samples.from_stock), range_95(samples.to_stock), range_95(samples.change)};
}

numbers::Decimal exact_decimal(double value) {
    // The shortest text that reads back as the same double: what a user would be shown.
    char text[32];
    const auto written = std::to_chars(text, text + sizeof text, value);
    return numbers::Decimal::from_plain(
               std::string_view(text, static_cast<size_t>(written.ptr - text)))
        .value_or(numbers::Decimal());
}

}  // namespace humo::engine
