#include "history_commands.h"

#include "history_actions.h"
#include "history_pdf.h"
#include "json_text.h"
#include "land_use_history.h"

namespace humo::script {
namespace {

const std::string& text(const Call& call, size_t argument) {
    return *call.arguments.at(argument).text;
}

// {"key":value,...} from keys and JSON values.
std::string object(const std::vector<std::pair<std::string, std::string>>& members) {
    std::string line;
    for (const auto& [key, value] : members)
        line += (line.empty() ? "{" : ",") + json::quote(key) + ":" + value;
    return line + "}";
}

}  // namespace

forms::Refusal history_site(const Call& call) {
    app::LandUseHistory& history = app::history_on_fresh_tables(call.module);
    history.set_country(text(call, 0));
    history.set_climate_region(text(call, 1));
    history.set_soil_type(text(call, 2));
    history.set_carbon_stock(call.arguments.size() > 3 ? text(call, 3) : "");
    history.set_area(call.arguments.size() > 4 ? text(call, 4) : "");
    return std::nullopt;
}

forms::Refusal history_name(const Call& call) {
    app::history_on_fresh_tables(call.module).set_site_name(text(call, 0));
    return std::nullopt;
}

forms::Refusal history_add(const Call& call) {
    app::history_on_fresh_tables(call.module)
        .put_regime({call.arguments[0].number, text(call, 1), text(call, 2), text(call, 3)});
    return std::nullopt;
}

forms::Refusal history_remove(const Call& call) {
    app::LandUseHistory& history = app::history_on_fresh_tables(call.module);
    const int year = call.arguments[0].number;
    const std::optional<size_t> regime = history.regime_of(year);
    if (!regime)
        return "no regime starts in " + std::to_string(year);
    history.remove_regime(*regime);
    return std::nullopt;
}

forms::Refusal history_years(const Call& call) {
    if (call.arguments[2].number < 1)
        return "every must be 1 or more";
    app::history_on_fresh_tables(call.module)
        .set_years(call.arguments[0].number, call.arguments[1].number, call.arguments[2].number);
    return std::nullopt;
}

forms::Refusal history_dump(const Call& call) {
    const report::HistoryReport& report = app::history_on_fresh_tables(call.module).report();
    const report::HistoryEntries& entries = report.entries;
    for (size_t i = 0; i < entries.regimes.size(); ++i) {
        const report::RegimeEntry& regime = entries.regimes[i];
        call.out << object(
                        {{"regime", std::to_string(regime.year)},
                         {"land_use", json::quote(regime.land_use)},
                         {"management", json::quote(regime.management)},
                         {"input", json::quote(regime.input)},
                         {"equilibrium",
                          json::quote(i < report.equilibria.size() ? report.equilibria[i] : "")}})
                 << "\n";
    }
    if (!report.usable())
        call.out << object({{"error", json::quote(report::history_error_text(report))}}) << "\n";
    for (const std::string* note : {&report.assumption, &report.warning}) {
        if (!note->empty())
            call.out << object({{"note", json::quote(*note)}}) << "\n";
    }
    const std::vector<std::string> columns = report::history_columns(report.with_totals);
    for (const report::HistoryRowText& row : report.rows) {
        const std::vector<std::string> cells = report::history_cells(row, report.with_totals);
        std::vector<std::pair<std::string, std::string>> members = {
            {"site", json::quote(entries.site_name)}, {"year", cells[0]}};
        for (size_t i = 1; i < cells.size(); ++i)
            members.emplace_back(columns[i], json::quote(cells[i]));
        call.out << object(members) << "\n";
    }
    return std::nullopt;
}

forms::Refusal history_report(const Call& call) {
    app::history_on_fresh_tables(call.module);
    return app::save_history_report(call.module, text(call, 0), report::write_history_pdf);
}

}  // namespace humo::script
