#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "sql_trace.h"

struct sqlite3;
struct sqlite3_stmt;

namespace humo::bench {

// A connection of its own to a database file, with each distinct SQL text prepared once.
class BareConnection {
public:
    explicit BareConnection(const std::string& path);
    ~BareConnection();
    BareConnection(const BareConnection&) = delete;
    BareConnection& operator=(const BareConnection&) = delete;

    sqlite3* handle() const { return db_; }
    sqlite3_stmt* statement(const std::string& sql);

private:
    sqlite3* db_ = nullptr;
    std::map<std::string, sqlite3_stmt*> statements_;
};

// The statements a cascade ran, run again straight on SQLite: bind, step through every row
// reading every column, reset. Nothing else, so it is the floor for the calculator's layers.
class BareCascade {
public:
    BareCascade(BareConnection& connection, const std::vector<TracedStatement>& statements);

    // Returns a sum over every value read, so that no read can be left out.
    uint64_t run();
    size_t statement_count() const { return steps_.size(); }

private:
    struct Step {
        sqlite3_stmt* statement;
        std::vector<SqlParameter> parameters;
    };

    void bind(const Step& step);

    sqlite3* db_;
    std::vector<Step> steps_;
};

}  // namespace humo::bench
