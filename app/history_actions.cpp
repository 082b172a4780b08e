#include "history_actions.h"

#include <stdexcept>

#include "edition_in_use.h"
#include "module1.h"
#include "results_actions.h"

namespace humo::app {

LandUseHistory& history_on_fresh_tables(Module1& module) {
    LandUseHistory& history = module.land_use_history();
    history.read_tables(database_in_use(module), module.program().host().decimal_separator());
    return history;
}

forms::Refusal save_history_report(Module1& module, const std::string& path,
                                   const HistoryWriter& write) {
    report::HistoryReport report = module.land_use_history().report();
    if (!report.usable())
        return report::history_error_text(report);
    const std::string database = database_in_use(module);
    report.origin =
        report::report_origin(now_text(), database, db::edition_text(db::edition_in_use(database)),
                              report::edited_values(database, defaults_compared(module, database)));
    try {
        write(report, path);
    } catch (const std::runtime_error& error) {
        return error.what();
    }
    return std::nullopt;
}

forms::Refusal copy_history(Module1& module, std::string& text) {
    const report::HistoryReport& report = module.land_use_history().report();
    if (!report.usable())
        return report::history_error_text(report);
    text = report::history_copy_text(report);
    return std::nullopt;
}

}  // namespace humo::app
