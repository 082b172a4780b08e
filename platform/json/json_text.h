#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace humo::json {

// A JSON string literal for `text` (UTF-8 passes through; control characters are escaped).
std::string quote(std::string_view text);
std::string array(const std::vector<std::string>& items);

// Reads a JSON string literal at the start of `text`; on success returns the decoded text and
// sets `length` to the characters consumed.
std::optional<std::string> unquote(std::string_view text, size_t& length);

}  // namespace humo::json
