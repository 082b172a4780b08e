#include "value.h"

#include "failure.h"

namespace humo::recordset {

std::string Value::to_text(numbers::DecimalSeparator separator) const {
    if (is_null())
        throw failures::invalid_use_of_null();
    if (is_integer())
        return std::to_string(as_integer());
    if (is_double())
        return numbers::general_text(as_double(), separator);
    return as_text();
}

}  // namespace humo::recordset
