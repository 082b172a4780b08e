#pragma once

#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace humo::help {

enum class HelpErrorKind {
    kMissingFile,     // nothing at the path
    kNotHelpFile,     // not a compiled help file, or cut off before its directory
    kDamaged,         // a compiled help file whose contents cannot be read
    kNoDefaultTopic,  // the file names no default topic
    kUnknownContext,  // the file maps no topic to the context number
    kMissingTopic,    // the file names a topic it does not contain
};

// Why help could not be shown, in words a user can act on: they name the file and what is
// wrong with it.
struct HelpError {
    HelpErrorKind kind;
    std::string message;
};

// A value, or the reason there is none.
template <class T>
class Outcome {
public:
    Outcome(T value) : state_(std::move(value)) {}
    Outcome(HelpError error) : state_(std::move(error)) {}

    bool ok() const { return std::holds_alternative<T>(state_); }
    const T& value() const { return std::get<T>(state_); }
    T& value() { return std::get<T>(state_); }
    const HelpError& error() const { return std::get<HelpError>(state_); }

private:
    std::variant<T, HelpError> state_;
};

}  // namespace humo::help
