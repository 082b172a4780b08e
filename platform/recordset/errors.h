#pragma once

#include <vector>

#include "failure.h"

namespace humo::recordset {

// The error list of a connection: the engine's errors from its last failing operation.
class Errors {
public:
    size_t count() const { return items_.size(); }
    const Failure& item(size_t index) const { return items_.at(index); }
    void clear() { items_.clear(); }
    void add(Failure failure) { items_.push_back(std::move(failure)); }

private:
    std::vector<Failure> items_;
};

}  // namespace humo::recordset
