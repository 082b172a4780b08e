#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "connection.h"
#include "value.h"

namespace humo::recordset {

enum class CursorType { kForwardOnly = 0, kStatic = 3 };
enum class LockType { kReadOnly = 1, kOptimistic = 3 };

// A static snapshot of a query's rows with a current position, as a client-side cursor gives
// it: every row is read when the set opens, so moving, counting and reading never touch the
// database again. Reading or moving without a current row fails with the classic 3021.
class Recordset {
public:
    // Opens the set on SQL text; each `?` in the text takes the next parameter, so list texts
    // reach the database as values, never as SQL.
    void open(std::string_view sql, Connection& connection,
              const std::vector<Value>& parameters = {},
              CursorType cursor_type = CursorType::kStatic,
              LockType lock_type = LockType::kOptimistic);
    void close();
    ObjectState state() const { return open_ ? ObjectState::kOpen : ObjectState::kClosed; }

    bool bof() const;
    bool eof() const;
    void move_first();
    void move_last();
    void move_next();
    void move_previous();
    long record_count() const;

    int field_count() const;
    const std::string& field_name(int index) const;
    const Value& value(int index) const;
    const Value& value(std::string_view field_name) const;
    // The position of a field, its whole name compared without regard to case; 3265 when the
    // set has no such field.
    int field_index(std::string_view name) const;

private:
    void require_open() const;
    void require_current_row() const;

    long row_count() const {
        return static_cast<long>(names_.empty() ? 0 : values_.size() / names_.size());
    }

    bool open_ = false;
    std::vector<std::string> names_;
    // The rows one after the other, each names_.size() values long. Kept between opens, so
    // a query that runs again reuses the memory of the last run.
    std::vector<Value> values_;
    // -1 before the first row (BOF), row_count() after the last (EOF).
    long position_ = -1;
};

}  // namespace humo::recordset
