#pragma once

#include <cstdint>
#include <limits>

#include "failure.h"

namespace humo::calculator {

// The calculator's module-level values, all zero or false when the program starts. They live
// in the program's module, outside the form, so they outlast the form's own state.
struct CalculatorState {
    // The site's stored reference carbon stock was the no-data value at the last lookup.
    bool carbon_stock_missing = false;
    // Item counts of the management and input lists at their last fill from the database;
    // 0 means the list is to be filled afresh.
    int16_t management1_count = 0;
    int16_t management2_count = 0;
    int16_t input1_count = 0;
    int16_t input2_count = 0;
    // The system's land-use type was exactly "Grassland" at its last management factor lookup.
    bool grassland1 = false;
    bool grassland2 = false;
};

// The counts are 16-bit values; a list longer than they can hold is an overflow.
inline int16_t item_count16(int count) {
    if (count > std::numeric_limits<int16_t>::max())
        throw failures::overflow();
    return static_cast<int16_t>(count);
}

}  // namespace humo::calculator
