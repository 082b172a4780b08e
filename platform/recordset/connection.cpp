#include "connection.h"

namespace humo::recordset {
namespace {

// Enough for every distinct query text of a form; a runaway caller cannot grow it unbounded.
constexpr size_t kMaxCachedStatements = 64;

}  // namespace

Connection::~Connection() { close(); }

void Connection::open(const std::string& database_path, sqlite::OpenMode mode) {
    if (database_)
        throw failures::object_open();
    try {
        database_ = std::make_unique<sqlite::Database>(database_path, mode);
    } catch (const Failure& failure) {
        throw record(failure);
    }
    path_ = database_path;
}

void Connection::begin_read() {
    if (database_ && !database_->in_transaction())
        run_quietly("BEGIN");
}

void Connection::end_read() {
    if (database_ && database_->in_transaction())
        run_quietly("COMMIT");
}

void Connection::run_quietly(std::string_view sql) {
    // Prepared once and kept like every other statement: this runs on every user action.
    try {
        cached(sql).run();
    } catch (const Failure&) {
    }
}

void Connection::close() {
    // The statements go first: a file with statements left is not closed.
    statements_.clear();
    database_.reset();
}

sqlite::Database& Connection::database() {
    if (!database_)
        throw failures::connection_closed();
    return *database_;
}

sqlite::Statement& Connection::cached(std::string_view sql) {
    // Every use resets its statement when done and binds every parameter anew.
    if (auto found = statements_.find(sql); found != statements_.end())
        return found->second;
    sqlite::Statement statement(database(), sql);
    if (statements_.size() >= kMaxCachedStatements)
        statements_.clear();
    return statements_.emplace(sql, std::move(statement)).first->second;
}

sqlite::Statement& Connection::prepare(std::string_view sql) {
    if (!database_)
        throw failures::connection_closed();
    try {
        return cached(sql);
    } catch (const Failure& failure) {
        throw record(failure);
    }
}

Failure Connection::record(Failure failure) {
    errors_.clear();
    errors_.add(failure);
    return failure;
}

}  // namespace humo::recordset
