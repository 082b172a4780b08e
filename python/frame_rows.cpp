#include "frame_rows.h"

#include <pybind11/numpy.h>

#include <array>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "batch_columns.h"
#include "cell_texts.h"

namespace py = pybind11;

namespace humo::python {
namespace {

using batch::ColumnLayout;

ColumnLayout layout_of(const std::vector<std::string>& names) {
    const std::vector<std::string_view> header(names.begin(), names.end());
    try {
        return batch::layout_columns(header);
    } catch (const batch::HeaderError& error) {
        throw py::value_error(error.what());
    }
}

// The result of a row one of whose cells cannot be read as text.
const batch::ScenarioResult& unreadable(std::string fault) {
    static batch::ScenarioResult result;
    result.error = std::move(fault);
    return result;
}

// Computes one row from its cells, found at these positions among the columns.
const batch::ScenarioResult& compute_row(batch::ScenarioCalculator& calculator,
                                         const ColumnLayout& layout,
                                         const std::vector<CellText>& cells,
                                         const std::vector<size_t>& positions,
                                         const std::vector<std::string>& names,
                                         std::vector<std::string_view>& fields, int64_t line) {
    for (size_t k = 0; k < cells.size(); ++k) {
        fields[positions[k]] = cells[k].text;
        if (cells[k].plain)
            continue;
        std::string fault = batch::field_fault(cells[k].text, names[positions[k]]);
        if (!fault.empty())
            return unreadable(std::move(fault));
    }
    return calculator.compute(batch::scenario_cells(layout, fields), line);
}

// A column of the frame as a contiguous array of Python objects, or none for a column that
// cannot hold text and that the rows do not read.
std::optional<py::array> column_cells(const py::object& frame, size_t position, bool read) {
    const py::object column =
        frame.attr("iloc")[py::make_tuple(py::slice(py::none(), py::none(), py::none()), position)];
    const std::string kind = py::str(column.attr("dtype"));
    if (!read && kind != "object" && kind != "string")
        return std::nullopt;
    const py::object values = column.attr("to_numpy")(py::arg("dtype") = "object");
    return py::array::ensure(values, py::array::c_style);
}

// A result's text as a new str; a byte that is not UTF-8 comes back as it was read.
PyObject* new_text(std::string_view text) {
    PyObject* value =
        PyUnicode_DecodeUTF8(text.data(), static_cast<Py_ssize_t>(text.size()), "surrogateescape");
    if (!value)
        throw py::error_already_set();
    return value;
}

// The results' texts, each made once: rows repeat the same few factors, stocks and messages,
// and a str shared is a str neither made nor freed again. Bounded, so memory is.
class SharedTexts {
public:
    static constexpr size_t kMaxShared = 1 << 16;

    // A new reference.
    PyObject* text(std::string_view text) {
        key_.assign(text);
        if (const auto found = shared_.find(key_); found != shared_.end())
            return found->second.inc_ref().ptr();
        PyObject* made = new_text(text);
        if (shared_.size() < kMaxShared)
            shared_.emplace(key_, py::reinterpret_borrow<py::object>(made));
        return made;
    }

private:
    std::string key_;
    std::unordered_map<std::string, py::object> shared_;
};

// An array of texts, one a row; the arrays' own None cells are replaced.
class TextColumn {
public:
    explicit TextColumn(size_t rows)
        : array_(py::dtype("object"), std::vector<py::ssize_t>{static_cast<py::ssize_t>(rows)}) {
        cells_ = static_cast<PyObject**>(array_.mutable_data());
    }
    void set(size_t row, PyObject* text) {
        Py_XDECREF(cells_[row]);
        cells_[row] = text;
    }
    const py::array& array() const { return array_; }

private:
    py::array array_;
    PyObject** cells_;
};

}  // namespace

py::object compute_frame(batch::ScenarioCalculator& calculator, const py::object& frame) {
    std::vector<std::string> names;
    for (const py::handle name : frame.attr("columns"))
        names.push_back(py::str(name));
    const ColumnLayout layout = layout_of(names);
    const size_t rows = py::len(frame);

    std::vector<bool> read(layout.width, false);
    for (int position : layout.position) {
        if (position >= 0)
            read[static_cast<size_t>(position)] = true;
    }
    // The columns whose cells a row reads or checks, and where they are in the frame.
    std::vector<py::array> arrays;
    std::vector<size_t> checked;
    for (size_t i = 0; i < layout.width; ++i) {
        if (std::optional<py::array> cells = column_cells(frame, i, read[i])) {
            arrays.push_back(std::move(*cells));
            checked.push_back(i);
        }
    }
    std::vector<PyObject* const*> cells_of_column;
    for (const py::array& array : arrays)
        cells_of_column.push_back(static_cast<PyObject* const*>(array.data()));

    std::vector<size_t> result_outputs;
    std::vector<TextColumn> results;
    for (size_t i = 0; i < layout.output.size(); ++i) {
        if (layout.output[i].is_result) {
            result_outputs.push_back(i);
            results.emplace_back(rows);
        }
    }

    CellTexts texts(py::module_::import("pandas").attr("NA").ptr());
    SharedTexts shared;
    std::vector<CellText> cells(checked.size());
    std::vector<std::string_view> fields(layout.width);
    for (size_t row = 0; row < rows; ++row) {
        texts.clear();
        for (size_t k = 0; k < checked.size(); ++k)
            cells[k] = texts.text(cells_of_column[k][row]);
        const batch::ScenarioResult& result = compute_row(calculator, layout, cells, checked, names,
                                                          fields, static_cast<int64_t>(row) + 1);
        const std::array<std::string_view, batch::kResultColumnCount> shown =
            batch::result_texts(result);
        for (size_t r = 0; r < result_outputs.size(); ++r)
            results[r].set(row, shared.text(shown[layout.output[result_outputs[r]].index]));
    }

    py::object out = frame.attr("copy")();
    for (size_t r = 0; r < result_outputs.size(); ++r) {
        const size_t position = result_outputs[r];
        if (position < layout.width)
            out.attr("isetitem")(position, results[r].array());
        else
            out[py::str(layout.output_names[position])] = results[r].array();
    }
    return out;
}

py::dict compute_scenario(batch::ScenarioCalculator& calculator, const py::kwargs& given) {
    std::vector<std::string> names;
    std::vector<py::handle> values;
    for (const auto& [name, value] : given) {
        if (value.is_none())
            continue;
        names.push_back(py::str(name));
        values.push_back(value);
    }
    const ColumnLayout layout = layout_of(names);
    CellTexts texts;
    std::vector<CellText> cells;
    for (const py::handle value : values)
        cells.push_back(texts.text(value.ptr()));
    std::vector<size_t> positions(names.size());
    for (size_t i = 0; i < positions.size(); ++i)
        positions[i] = i;
    std::vector<std::string_view> fields(names.size());
    const batch::ScenarioResult& result =
        compute_row(calculator, layout, cells, positions, names, fields, 1);
    const std::array<std::string_view, batch::kResultColumnCount> shown =
        batch::result_texts(result);
    py::dict results;
    for (size_t i = 0; i < layout.output.size(); ++i) {
        if (layout.output[i].is_result) {
            results[py::str(layout.output_names[i])] =
                py::reinterpret_steal<py::object>(new_text(shown[layout.output[i].index]));
        }
    }
    return results;
}

}  // namespace humo::python
