#pragma once

#include <cstdint>
#include <exception>
#include <string>

namespace humo {

// A failure as the program reports it: a number, a description and the part that raised it.
// The classic numbers are kept so that messages stay recognisable to users of the original tool.
class Failure : public std::exception {
public:
    Failure(int32_t number, std::string description, std::string source)
        : number_(number), description_(std::move(description)), source_(std::move(source)) {}

    int32_t number() const { return number_; }
    const std::string& description() const { return description_; }
    const std::string& source() const { return source_; }
    const char* what() const noexcept override { return description_.c_str(); }

    friend bool operator==(const Failure& a, const Failure& b) {
        return a.number_ == b.number_ && a.description_ == b.description_ && a.source_ == b.source_;
    }

private:
    int32_t number_;
    std::string description_;
    std::string source_;
};

// Failures of the program's own run-time (conversions, arithmetic) name the program as source.
inline constexpr const char* kRuntimeSource = "humo_tool";

namespace failures {

inline Failure invalid_use_of_null() { return {94, "Invalid use of Null", kRuntimeSource}; }
inline Failure type_mismatch() { return {13, "Type mismatch", kRuntimeSource}; }
inline Failure overflow() { return {6, "Overflow", kRuntimeSource}; }
inline Failure no_current_record() {
    return {3021,
            "Either BOF or EOF is True, or the current record has been deleted. Requested "
            "operation requires a current record.",
            "Recordset"};
}
inline Failure object_closed() {
    return {3704, "Operation is not allowed when the object is closed.", "Recordset"};
}
inline Failure connection_closed() {
    return {3709,
            "The connection cannot be used to perform this operation. It is either closed or "
            "invalid in this context.",
            "Recordset"};
}
inline Failure object_not_set() {
    return {91, "Object variable or With block variable not set", kRuntimeSource};
}
inline Failure object_open() {
    return {3705, "Operation is not allowed when the object is open.", "Recordset"};
}

}  // namespace failures
}  // namespace humo
