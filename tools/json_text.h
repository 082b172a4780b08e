#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace humo::script {

// A JSON string literal for `text` (UTF-8 passes through; control characters are escaped).
std::string json_quote(std::string_view text);
std::string json_array(const std::vector<std::string>& items);

// Reads a JSON string literal at the start of `text`; on success returns the decoded text and
// sets `length` to the characters consumed.
std::optional<std::string> json_unquote(std::string_view text, size_t& length);

}  // namespace humo::script
