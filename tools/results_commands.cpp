#include "results_commands.h"

#include "batch_files.h"
#include "json_text.h"
#include "module1.h"
#include "pdf_report.h"
#include "results_actions.h"

namespace humo::script {

bool is_results_verb(const std::string& verb) {
    return verb == "report" || verb == "copy-results" || verb == "batch";
}

size_t results_verb_texts(const std::string& verb) {
    return verb == "batch" ? 2 : verb == "report" ? 1 : 0;
}

bool needs_gui(const std::vector<Command>& commands) {
    for (const Command& command : commands) {
        if (command.verb == "report")
            return true;
    }
    return false;
}

forms::Refusal run_results_command(const Command& c, app::Module1& module, std::ostream& out) {
    if (c.verb == "report")
        return app::save_report(module, c.words.at(0), report::write_pdf_report);
    if (c.verb == "copy-results") {
        std::string text;
        if (forms::Refusal refusal = app::copy_results(module, text))
            return refusal;
        out << "clipboard " << json::quote(text) << "\n";
        return std::nullopt;
    }
    try {
        const batch::BatchSummary summary =
            app::run_batch(app::batch_files(module, c.words.at(0), c.words.at(1)));
        out << "batch " << summary.summary_line() << "\n";
    } catch (const batch::BatchFailure& failure) {
        out << "batch failed: " << failure.what() << "; nothing was written\n";
    }
    return std::nullopt;
}

}  // namespace humo::script
