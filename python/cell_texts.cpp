#include "cell_texts.h"

#include <cmath>
#include <cstring>

namespace py = pybind11;

namespace humo::python {

CellText CellTexts::text(PyObject* value) {
    if (PyUnicode_Check(value))
        return text_of_str(value);
    if (value == Py_None || value == missing_ ||
        (PyFloat_Check(value) && std::isnan(PyFloat_AS_DOUBLE(value)))) {
        return {{}, true};
    }
    PyObject* written = PyObject_Str(value);
    if (!written)
        throw py::error_already_set();
    held_.push_back(py::reinterpret_steal<py::object>(written));
    return text_of_str(written);
}

CellText CellTexts::text_of_str(PyObject* text) {
    Py_ssize_t size = 0;
    if (const char* utf8 = PyUnicode_AsUTF8AndSize(text, &size)) {
        const std::string_view view(utf8, static_cast<size_t>(size));
        return {view, PyUnicode_IS_ASCII(text) && std::memchr(utf8, 0, view.size()) == nullptr};
    }
    // Lone surrogates: bytes read with surrogateescape get their bytes back, which the row's
    // check then finds are not UTF-8; any other surrogate is written as it stands.
    PyErr_Clear();
    PyObject* bytes = PyUnicode_AsEncodedString(text, "utf-8", "surrogateescape");
    if (!bytes) {
        PyErr_Clear();
        bytes = PyUnicode_AsEncodedString(text, "utf-8", "surrogatepass");
    }
    if (!bytes)
        throw py::error_already_set();
    held_.push_back(py::reinterpret_steal<py::object>(bytes));
    return {{PyBytes_AS_STRING(bytes), static_cast<size_t>(PyBytes_GET_SIZE(bytes))}, false};
}

}  // namespace humo::python
