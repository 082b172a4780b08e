#include "sql_trace.h"

#include <sqlite3.h>

#include <cstdlib>
#include <stdexcept>

namespace humo::bench {
namespace {

std::vector<std::string_view> split_at_placeholders(std::string_view sql) {
    std::vector<std::string_view> fragments;
    size_t start = 0;
    for (size_t at = sql.find('?'); at != std::string_view::npos; at = sql.find('?', start)) {
        fragments.push_back(sql.substr(start, at - start));
        start = at + 1;
    }
    fragments.push_back(sql.substr(start));
    return fragments;
}

// Reads the literal SQLite wrote for one bound value at `at`, moving `at` past it.
SqlParameter read_literal(std::string_view text, size_t& at) {
    if (at < text.size() && text[at] == '\'') {
        std::string value;
        for (++at; at < text.size(); ++at) {
            if (text[at] != '\'') {
                value += text[at];
            } else if (at + 1 < text.size() && text[at + 1] == '\'') {
                value += '\'';
                ++at;
            } else {
                ++at;
                return value;
            }
        }
        throw std::runtime_error("unterminated text literal in " + std::string(text));
    }
    if (text.substr(at, 4) == "NULL") {
        at += 4;
        return std::monostate{};
    }
    const size_t start = at;
    bool real = false;
    while (at < text.size() &&
           std::string_view("0123456789+-.eE").find(text[at]) != std::string_view::npos) {
        real = real || std::string_view(".eE").find(text[at]) != std::string_view::npos;
        ++at;
    }
    if (at == start)
        throw std::runtime_error("no literal at " + std::string(text.substr(start)));
    const std::string number(text.substr(start, at - start));
    if (real)
        return std::strtod(number.c_str(), nullptr);
    return static_cast<int64_t>(std::strtoll(number.c_str(), nullptr, 10));
}

}  // namespace

std::vector<SqlParameter> parameters_from_expanded(std::string_view sql,
                                                   std::string_view expanded) {
    const auto fragments = split_at_placeholders(sql);
    std::vector<SqlParameter> parameters;
    size_t at = 0;
    for (size_t i = 0; i < fragments.size(); ++i) {
        if (expanded.substr(at, fragments[i].size()) != fragments[i]) {
            throw std::runtime_error("expanded text does not match its statement: " +
                                     std::string(expanded));
        }
        at += fragments[i].size();
        if (i + 1 < fragments.size())
            parameters.push_back(read_literal(expanded, at));
    }
    if (at != expanded.size()) {
        throw std::runtime_error("expanded text runs on past its statement: " +
                                 std::string(expanded));
    }
    return parameters;
}

std::vector<std::string> expanded_texts(const std::vector<TracedStatement>& statements) {
    std::vector<std::string> texts;
    for (const TracedStatement& statement : statements)
        texts.push_back(statement.expanded_sql);
    return texts;
}

SqlTrace::SqlTrace(sqlite3* db) : db_(db) {
    sqlite3_trace_v2(db_, SQLITE_TRACE_STMT, &SqlTrace::on_statement, this);
}

SqlTrace::~SqlTrace() { sqlite3_trace_v2(db_, 0, nullptr, nullptr); }

std::vector<TracedStatement> SqlTrace::take() {
    if (!failure_.empty())
        throw std::runtime_error(failure_);
    return std::move(statements_);
}

int SqlTrace::on_statement(unsigned, void* context, void* statement, void* sql) {
    auto& trace = *static_cast<SqlTrace*>(context);
    // Trigger programs report themselves as comments; only statements of our own count.
    const std::string_view text = static_cast<const char*>(sql);
    if (text.starts_with("--"))
        return 0;
    auto* prepared = static_cast<sqlite3_stmt*>(statement);
    char* expanded = sqlite3_expanded_sql(prepared);
    if (!expanded) {
        trace.failure_ = "could not expand " + std::string(text);
        return 0;
    }
    TracedStatement traced{sqlite3_sql(prepared), {}, expanded};
    sqlite3_free(expanded);
    // No exception may cross the engine's C frames.
    try {
        traced.parameters = parameters_from_expanded(traced.sql, traced.expanded_sql);
        if (static_cast<int>(traced.parameters.size()) != sqlite3_bind_parameter_count(prepared)) {
            throw std::runtime_error("placeholders other than ? in " + traced.sql);
        }
        trace.statements_.push_back(std::move(traced));
    } catch (const std::exception& error) {
        trace.failure_ = error.what();
    }
    return 0;
}

}  // namespace humo::bench
