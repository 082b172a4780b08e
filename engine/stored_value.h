#pragma once

#include <cstdint>
#include <string>

namespace humo::engine {

// What a single-value lookup of the calculator finds: no row, a null, or the value's text as
// the calculator's box shows it.
struct StoredValue {
    enum class Kind : uint8_t { kNoRow, kNull, kText };
    // A value that no table row holds, such as grassland's fixed input factor.
    static constexpr uint32_t kNotStored = UINT32_MAX;

    Kind kind = Kind::kNoRow;
    std::string text;
    // The text's leading number, which the no-data tests read.
    double leading_number = 0;
    // Which value of its table this is, among all the values a lookup of that table can find:
    // two lookups that find the same position found the same value. kNotStored where the
    // source does not tell.
    uint32_t position = kNotStored;

    bool has_text() const { return kind == Kind::kText; }
};

}  // namespace humo::engine
