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

}  // namespace humo::script
