#pragma once

#include <string>

#include "files.h"

namespace humo::testing {

// The source tree's test fixtures and default data, wherever the tests run from.
inline std::string read_fixture(const std::string& name) {
    return bytes_of(HUMO_TEST_FIXTURES "/" + name);
}
inline std::string default_data_directory() { return HUMO_DEFAULT_DATA; }

}  // namespace humo::testing
