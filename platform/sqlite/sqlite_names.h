#pragma once

#include <string>
#include <string_view>

namespace humo::sqlite {

// A table or column name in double quotes, as SQL needs it for any name.
std::string quoted_name(std::string_view name);

// Whether two table or column names are the same to SQLite: ASCII letters match in either case.
bool same_name(std::string_view a, std::string_view b);

}  // namespace humo::sqlite
