#pragma once

#include <string_view>

namespace humo::engine {

// The names the calculator's own rules compare with or pick by themselves. Compared exactly:
// case and blanks count.

// The input level or management system that stands for "none applies".
inline constexpr std::string_view kDoesNotApply = "Does not apply";
// The only land-use type that reads the grassland rows of the management factors.
inline constexpr std::string_view kGrassland = "Grassland";
// The only grassland management under which a grassland system offers input levels.
inline constexpr std::string_view kImproved = "Improved";
// The input factor of grassland under any management but "Improved".
inline constexpr std::string_view kFixedGrasslandInputFactor = "1";
// What the calculator falls back to when a site or a land-use type has no data.
inline constexpr std::string_view kResetSoilType = "High clay activity mineral";
inline constexpr std::string_view kResetLandUseType = "Long-term cultivated";
// The grassland_other values of the management factor rows.
inline constexpr std::string_view kGrasslandFactorGroup = "grassland";
inline constexpr std::string_view kOtherFactorGroup = "other";
// A stored stock or land-use factor of this value means there are no data.
inline constexpr double kNoDataValue = -999;
inline constexpr std::string_view kNoDataText = "-999";

}  // namespace humo::engine
