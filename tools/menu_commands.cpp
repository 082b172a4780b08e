#include "menu_commands.h"

#include "batch_files.h"
#include "editions.h"
#include "json_text.h"
#include "module1.h"
#include "pdf_report.h"
#include "results_actions.h"

namespace humo::script {

forms::Refusal save_report(const Call& call) {
    return app::save_report(call.module, *call.arguments[0].text, report::write_pdf_report);
}

forms::Refusal copy_results(const Call& call) {
    std::string text;
    if (forms::Refusal refusal = app::copy_results(call.module, text))
        return refusal;
    call.out << "clipboard " << json::quote(text) << "\n";
    return std::nullopt;
}

forms::Refusal run_batch(const Call& call) {
    try {
        const batch::BatchSummary summary = app::run_batch(
            app::batch_files(call.module, *call.arguments[0].text, *call.arguments[1].text));
        call.out << "batch " << summary.summary_line() << "\n";
    } catch (const batch::BatchFailure& failure) {
        call.out << "batch failed: " << failure.what() << "; nothing was written\n";
    }
    return std::nullopt;
}

forms::Refusal restore_defaults(const Call& call) {
    std::optional<std::string> edition;
    if (!call.arguments.empty()) {
        edition = *call.arguments[0].text;
        if (!db::find_edition(*edition))
            return "unknown edition \"" + *edition + "\"; the editions are " + db::edition_ids();
    }
    const std::optional<std::string> backup = call.module.restore_defaults(edition);
    if (!backup)
        return "defaults not restored";
    call.out << "restored" << (backup->empty() ? "" : " " + *backup) << "\n";
    return std::nullopt;
}

forms::Refusal show_uncertainty(const Call& call) {
    report::CalculationRanges ranges;
    if (forms::Refusal refusal = app::uncertainty_ranges(call.module, ranges))
        return refusal;
    auto range = [](const report::RangeShown& shown) {
        return "[" + shown.low + "," + shown.high + "]";
    };
    std::string not_covered;
    for (const std::string& name : ranges.not_covered)
        not_covered += (not_covered.empty() ? "" : ",") + json::quote(name);
    call.out << "uncertainty from=" << range(ranges.from_stock) << " to=" << range(ranges.to_stock)
             << " change=" << range(ranges.change) << " not_covered=[" << not_covered << "]\n";
    return std::nullopt;
}

forms::Refusal set_uncertainty_seed(const Call& call) {
    call.module.uncertainty_choices().seed = static_cast<uint64_t>(call.arguments[0].number);
    return std::nullopt;
}

forms::Refusal set_uncertainty_iterations(const Call& call) {
    const int iterations = call.arguments[0].number;
    if (iterations < 1 || iterations > engine::Simulation::kMaxIterations)
        return "iterations must be from 1 to " + std::to_string(engine::Simulation::kMaxIterations);
    call.module.uncertainty_choices().iterations = iterations;
    return std::nullopt;
}

}  // namespace humo::script
