#include "bare_cascade.h"

#include <sqlite3.h>

#include <bit>
#include <stdexcept>

namespace humo::bench {
namespace {

void check(sqlite3* db, int rc, const std::string& doing) {
    if (rc != SQLITE_OK)
        throw std::runtime_error(doing + ": " + sqlite3_errmsg(db));
}

uint64_t read_column(sqlite3_stmt* statement, int column) {
    switch (sqlite3_column_type(statement, column)) {
        case SQLITE_NULL:
            return 0;
        case SQLITE_INTEGER:
            return static_cast<uint64_t>(sqlite3_column_int64(statement, column));
        case SQLITE_FLOAT:
            return std::bit_cast<uint64_t>(sqlite3_column_double(statement, column));
        default: {
            const auto* text = sqlite3_column_text(statement, column);
            const int bytes = sqlite3_column_bytes(statement, column);
            uint64_t sum = static_cast<uint64_t>(bytes);
            for (int i = 0; i < bytes; ++i)
                sum = sum * 31 + text[i];
            return sum;
        }
    }
}

}  // namespace

BareConnection::BareConnection(const std::string& path) {
    // Opened as the calculator opens its file, so both see the same engine settings.
    const int rc =
        sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        const std::string message = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(rc);
        sqlite3_close(db_);
        throw std::runtime_error("opening " + path + ": " + message);
    }
}

BareConnection::~BareConnection() {
    for (auto& [sql, statement] : statements_)
        sqlite3_finalize(statement);
    sqlite3_close(db_);
}

sqlite3_stmt* BareConnection::statement(const std::string& sql) {
    if (auto found = statements_.find(sql); found != statements_.end())
        return found->second;
    sqlite3_stmt* statement = nullptr;
    check(db_,
          sqlite3_prepare_v2(db_, sql.c_str(), static_cast<int>(sql.size()), &statement, nullptr),
          "preparing " + sql);
    statements_.emplace(sql, statement);
    return statement;
}

BareCascade::BareCascade(BareConnection& connection, const std::vector<TracedStatement>& statements)
    : db_(connection.handle()) {
    for (const TracedStatement& traced : statements) {
        steps_.push_back({connection.statement(traced.sql), traced.parameters});
    }
}

void BareCascade::bind(const Step& step) {
    for (size_t i = 0; i < step.parameters.size(); ++i) {
        const int index = static_cast<int>(i) + 1;
        const SqlParameter& value = step.parameters[i];
        int rc;
        if (const auto* text = std::get_if<std::string>(&value)) {
            // The step owns its values for as long as the statement can see them.
            rc = sqlite3_bind_text(step.statement, index, text->data(),
                                   static_cast<int>(text->size()), SQLITE_STATIC);
        } else if (const auto* integer = std::get_if<int64_t>(&value)) {
            rc = sqlite3_bind_int64(step.statement, index, *integer);
        } else if (const auto* real = std::get_if<double>(&value)) {
            rc = sqlite3_bind_double(step.statement, index, *real);
        } else {
            rc = sqlite3_bind_null(step.statement, index);
        }
        check(db_, rc, "binding");
    }
}

uint64_t BareCascade::run() {
    uint64_t sum = 0;
    for (const Step& step : steps_) {
        bind(step);
        const int columns = sqlite3_column_count(step.statement);
        int rc;
        while ((rc = sqlite3_step(step.statement)) == SQLITE_ROW) {
            for (int c = 0; c < columns; ++c)
                sum += read_column(step.statement, c);
        }
        if (rc != SQLITE_DONE) {
            const std::string message = sqlite3_errmsg(db_);
            sqlite3_reset(step.statement);
            throw std::runtime_error("running " + std::string(sqlite3_sql(step.statement)) + ": " +
                                     message);
        }
        sqlite3_reset(step.statement);
    }
    return sum;
}

}  // namespace humo::bench
