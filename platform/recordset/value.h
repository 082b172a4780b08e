#pragma once

#include <cstdint>
#include <string>
#include <variant>

#include "number_text.h"

namespace humo::recordset {

// One column value of a row, or a bound parameter: null, a whole number, a double or text.
class Value {
public:
    Value() = default;
    Value(std::nullptr_t) {}
    Value(int64_t v) : data_(v) {}
    Value(int v) : data_(int64_t{v}) {}
    Value(double v) : data_(v) {}
    Value(std::string v) : data_(std::move(v)) {}
    Value(const char* v) : data_(std::string(v)) {}

    bool is_null() const { return std::holds_alternative<std::monostate>(data_); }
    bool is_integer() const { return std::holds_alternative<int64_t>(data_); }
    bool is_double() const { return std::holds_alternative<double>(data_); }
    bool is_text() const { return std::holds_alternative<std::string>(data_); }

    int64_t as_integer() const { return std::get<int64_t>(data_); }
    double as_double() const { return std::get<double>(data_); }
    const std::string& as_text() const { return std::get<std::string>(data_); }

    // The value as text: numbers in their general text form, text unchanged. A null value
    // cannot be turned into text and fails with "Invalid use of Null".
    std::string to_text(numbers::DecimalSeparator separator) const;

    friend bool operator==(const Value&, const Value&) = default;

private:
    std::variant<std::monostate, int64_t, double, std::string> data_;
};

}  // namespace humo::recordset
