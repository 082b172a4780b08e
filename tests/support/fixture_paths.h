#pragma once

#include <fstream>
#include <sstream>
#include <string>

namespace humo::testing {

// The source tree's test fixtures and default data, wherever the tests run from.
inline std::string fixture_path(const std::string& name) {
    return std::string(HUMO_TEST_FIXTURES) + "/" + name;
}
inline std::string default_data_directory() { return HUMO_DEFAULT_DATA; }

inline std::string read_fixture(const std::string& name) {
    std::ifstream in(fixture_path(name));
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace humo::testing
