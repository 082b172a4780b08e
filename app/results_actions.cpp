#include "results_actions.h"

#include <cctype>
#include <ctime>
#include <stdexcept>

#include "batch_files.h"
#include "calculation_report.h"
#include "edition_in_use.h"
#include "editions.h"
#include "file_locations.h"
#include "module1.h"
#include "results_text.h"

namespace humo::app {
namespace {

// The report of what the calculator shows, or why there is none.
std::variant<report::CalculationReport, std::string> current_report(Module1& module) {
    calculator::frmmaster* calculator = loaded_calculator(module);
    if (!calculator)
        return "calculator not loaded";
    const std::string database = database_in_use(module);
    auto gathered =
        report::gather_report(*calculator, database, defaults_compared(module, database),
                              module.program().host().decimal_separator(), now_text());
    if (auto* none = std::get_if<report::NoReport>(&gathered))
        return none->reason;
    return std::get<report::CalculationReport>(std::move(gathered));
}

// The ranges of a report, drawn as the module's choices say; a database whose uncertainties
// cannot be read throws its failure.
report::CalculationRanges ranges_of(Module1& module, const report::CalculationReport& report) {
    return report::calculation_ranges(report,
                                      engine::PublishedUncertainties::read(report.database_file),
                                      module.uncertainty_choices());
}

}  // namespace

std::string database_in_use(Module1& module) {
    const db::SoilCarbonDatabase& database = module.database();
    if (loaded_calculator(module) && database.SoilCarbonConnection &&
        database.SoilCarbonConnection->state() == recordset::ObjectState::kOpen) {
        return database.SoilCarbonConnection->path();
    }
    return module.program().host().database_file();
}

std::string defaults_compared(Module1& module, const std::string& database) {
    // Edits are those made since that edition's defaults were loaded.
    const std::optional<db::EditionInUse> edition = db::edition_in_use(database);
    return db::defaults_file(module.program().host().defaults_directory(),
                             edition ? edition->id : db::editions().front().id);
}

std::string now_text() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local);
    return text;
}

calculator::frmmaster* loaded_calculator(Module1& module) {
    for (forms::Form* form : module.program().loaded_forms()) {
        if (auto* calculator = dynamic_cast<calculator::frmmaster*>(form))
            return calculator;
    }
    return nullptr;
}

bool shows_results(Module1& module) {
    const calculator::frmmaster* calculator = loaded_calculator(module);
    return calculator && !calculator->carbon_stock_20yrs_1.text().empty() &&
           !calculator->carbon_stock_20yrs_2.text().empty();
}

forms::Refusal save_report(Module1& module, const std::string& path, const ReportWriter& write) {
    return module.program().run_user_action([&]() -> forms::Refusal {
        auto report = current_report(module);
        if (auto* refusal = std::get_if<std::string>(&report))
            return *refusal;
        const auto& calculation = std::get<report::CalculationReport>(report);
        try {
            const report::CalculationRanges ranges = ranges_of(module, calculation);
            write(report::report_document(calculation, &ranges), path);
        } catch (const Failure& failure) {
            return failure.description();
        } catch (const std::runtime_error& error) {
            return error.what();
        }
        return std::nullopt;
    });
}

forms::Refusal copy_results(Module1& module, std::string& text) {
    return module.program().run_user_action([&]() -> forms::Refusal {
        auto report = current_report(module);
        if (auto* refusal = std::get_if<std::string>(&report))
            return *refusal;
        const auto& calculation = std::get<report::CalculationReport>(report);
        try {
            const report::CalculationRanges ranges = ranges_of(module, calculation);
            text = report::results_text(calculation, &ranges);
        } catch (const Failure& failure) {
            return failure.description();
        }
        return std::nullopt;
    });
}

forms::Refusal uncertainty_ranges(Module1& module, report::CalculationRanges& ranges) {
    auto report = current_report(module);
    if (auto* refusal = std::get_if<std::string>(&report))
        return *refusal;
    try {
        ranges = ranges_of(module, std::get<report::CalculationReport>(report));
    } catch (const Failure& failure) {
        return failure.description();
    }
    return std::nullopt;
}

BatchFiles batch_files(Module1& module, const std::string& input, const std::string& output) {
    return {input, output, database_in_use(module), module.program().host().decimal_separator()};
}

batch::BatchSummary run_batch(const BatchFiles& files, const batch::ProgressReport& progress) {
    return batch::run_batch({files.input, files.output, files.database, files.separator, {}, false},
                            progress);
}

std::string batch_summary_text(const batch::BatchSummary& summary) {
    std::string text = summary.summary_line() + ".";
    if (!summary.note.empty()) {
        std::string note = summary.note;
        note[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(note[0])));
        text += "\n\n" + note + ".";
    }
    if (!summary.first_errors.empty()) {
        text += summary.with_errors > static_cast<int64_t>(summary.first_errors.size())
                    ? "\n\nThe first errors:\n"
                    : "\n\nErrors:\n";
        for (const batch::RowError& error : summary.first_errors)
            text += "\n" + batch::BatchSummary::error_line(error);
    }
    return text;
}

}  // namespace humo::app
