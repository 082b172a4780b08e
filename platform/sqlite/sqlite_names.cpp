#include "sqlite_names.h"

#include <algorithm>

namespace humo::sqlite {

std::string quoted_name(std::string_view name) {
    std::string text = "\"";
    for (char c : name)
        text += c == '"' ? std::string("\"\"") : std::string(1, c);
    return text + "\"";
}

bool same_name(std::string_view a, std::string_view b) {
    // Whatever the locale: the engine folds ASCII letters only.
    const auto folded = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [&](char x, char y) { return folded(x) == folded(y); });
}

}  // namespace humo::sqlite
