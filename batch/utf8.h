#pragma once

#include <string_view>

namespace humo::batch {

// Whether the text is well-formed UTF-8: no stray or missing continuation bytes, no overlong
// forms, no surrogates, nothing beyond U+10FFFF. A NUL byte is well-formed.
bool is_valid_utf8(std::string_view text);

}  // namespace humo::batch
