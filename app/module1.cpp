#include "module1.h"

#include <chrono>
#include <stdexcept>

#include "edition_in_use.h"
#include "editions.h"
#include "file_locations.h"
#include "restore_defaults.h"

namespace humo::app {
namespace {

// The edition asked for; without one, the edition the database records, else the oldest.
const db::Edition& edition_to_load(const std::string& database,
                                   const std::optional<std::string>& edition_id) {
    const std::optional<db::EditionInUse> in_use = db::edition_in_use(database);
    const std::optional<std::string> wanted = edition_id ? edition_id
                                              : in_use   ? std::optional(in_use->id)
                                                         : std::nullopt;
    if (wanted) {
        if (const db::Edition* edition = db::find_edition(*wanted))
            return *edition;
    }
    return db::editions().front();
}

const char* const kRestoreTitle = "Load default values";

}  // namespace

Module1::Module1(forms::Program& program)
    : program_(program),
      data_forms_(program,
                  [this](const std::string& soil_type) {
                      // A soil type the calculator does not list leaves its choice as it was.
                      calculator::frmmaster& calculator = frmmaster();
                      calculator.soiltype.set_text(soil_type);
                      calculator.soiltype.refresh();
                  }),
      humo_([this] { return std::make_unique<app::frmHUMO>(program_); }),
      splash_([this] { return std::make_unique<app::frmSplash>(program_, *this); }),
      master_([this] {
          return std::make_unique<calculator::frmmaster>(program_, database_, calculator_state_,
                                                         data_forms_);
      }) {
    program_.add_action_observer(read_transaction_);
    program_.set_mdi_frame(frmHUMO());
}

std::optional<std::string> Module1::restore_defaults(const std::optional<std::string>& edition_id) {
    std::optional<std::string> backup;
    program_.run_user_action([&]() -> forms::Refusal {
        backup = restore_defaults_now(edition_id);
        return std::nullopt;
    });
    return backup;
}

std::optional<std::string> Module1::restore_defaults_now(
    const std::optional<std::string>& edition_id) {
    forms::Host& host = program_.host();
    const std::string database = host.database_file();
    const db::Edition& edition = edition_to_load(database, edition_id);
    const std::string defaults = db::defaults_file(host.defaults_directory(), edition.id);
    try {
        // Said before anything is asked or closed, so the calculator keeps what it shows.
        db::require_defaults(defaults);
    } catch (const std::runtime_error& error) {
        program_.msg_box(error.what(), forms::MsgBoxButtons::kOk, forms::MsgBoxIcon::kStop,
                         kRestoreTitle);
        return std::nullopt;
    }
    const auto answer = program_.msg_box(
        "Replace the values in " + database + " with the default values of the " +
            std::string(edition.title) +
            "?\r\n\r\nEvery value edited in the default tables will be "
            "replaced. The file as it is now is kept beside it, named after today's date and "
            "time.",
        forms::MsgBoxButtons::kOkCancel, forms::MsgBoxIcon::kQuestion, kRestoreTitle);
    if (answer != forms::MsgBoxResult::kOk)
        return std::nullopt;
    if (!data_forms_.close_all())
        return std::nullopt;
    calculator::frmmaster* calculator = master_.existing();
    const bool calculator_open = calculator && calculator->loaded();
    // The calculator lets go of the file before it is replaced.
    database_.SoilCarbonRecordset.reset();
    database_.SoilCarbonConnection.reset();
    std::optional<std::string> backup;
    try {
        backup = db::restore_defaults(database, defaults, std::chrono::system_clock::now());
    } catch (const std::runtime_error& error) {
        program_.msg_box(error.what(), forms::MsgBoxButtons::kOk, forms::MsgBoxIcon::kStop,
                         kRestoreTitle);
    }
    if (calculator_open)
        calculator->reload();
    return backup;
}

void Module1::Main() {
    frmSplash().show();
    frmSplash().refresh();
}

}  // namespace humo::app
