#pragma once

#include <pybind11/pybind11.h>

#include <string_view>
#include <vector>

namespace humo::python {

// A cell's text, and whether it is plain: ASCII without a NUL byte, so nothing in it needs
// checking.
struct CellText {
    std::string_view text;
    bool plain = false;
};

// Reads Python values as the batch reads a CSV file's fields: a str as it is, a missing value
// (None, NaN, pandas' NA) as an empty cell, anything else as str() writes it. The texts last
// until the next clear().
class CellTexts {
public:
    // `missing` is pandas' NA, or null when pandas is not in use.
    explicit CellTexts(PyObject* missing = nullptr) : missing_(missing) {}

    CellText text(PyObject* value);
    void clear() { held_.clear(); }

private:
    CellText text_of_str(PyObject* text);

    PyObject* missing_;
    // The texts made for the current row.
    std::vector<pybind11::object> held_;
};

}  // namespace humo::python
