#pragma once

#include <optional>
#include <string>

#include "calculator_state.h"
#include "form_slot.h"
#include "frm_humo.h"
#include "frm_splash.h"
#include "frmmaster.h"
#include "land_use_history.h"
#include "monte_carlo.h"
#include "program.h"
#include "reference_data_forms.h"
#include "shared_read_transaction.h"
#include "soil_carbon_database.h"

namespace humo::app {

// The program's one module: the start procedure, the shared database objects, the calculator's
// module-level values, and the one instance of each form.
class Module1 {
public:
    explicit Module1(forms::Program& program);
    ~Module1() { program_.remove_action_observer(read_transaction_); }
    Module1(const Module1&) = delete;
    Module1& operator=(const Module1&) = delete;

    // Shows the introduction form inside the frame; the program then runs on user events.
    void Main();

    // Replaces the database with the pristine defaults of an edition (without one: the edition
    // the database records, else the oldest), once the user agrees: the data forms
    // close first (writing what was typed; a refused write stops here), the file is kept as a
    // dated backup beside it, and the calculator starts afresh on the defaults. Returns the
    // backup's file name (empty when there was no file to keep), or nothing when it did not
    // happen.
    std::optional<std::string> restore_defaults(
        const std::optional<std::string>& edition_id = std::nullopt);

    app::frmHUMO& frmHUMO() { return humo_(); }
    app::frmSplash& frmSplash() { return splash_(); }
    calculator::frmmaster& frmmaster() { return master_(); }
    ReferenceDataForms& data_forms() { return data_forms_; }

    forms::Program& program() { return program_; }
    db::SoilCarbonDatabase& database() { return database_; }
    calculator::CalculatorState& calculator_state() { return calculator_state_; }
    // How the uncertainty ranges are drawn: the iterations and the seed the user chose.
    engine::Simulation& uncertainty_choices() { return uncertainty_choices_; }
    // The land-use history the window shows and humo-script drives.
    LandUseHistory& land_use_history() { return land_use_history_; }

private:
    std::optional<std::string> restore_defaults_now(const std::optional<std::string>& edition_id);

    forms::Program& program_;
    db::SoilCarbonDatabase database_;
    SharedReadTransaction read_transaction_{database_};
    calculator::CalculatorState calculator_state_;
    engine::Simulation uncertainty_choices_;
    LandUseHistory land_use_history_;
    ReferenceDataForms data_forms_;
    forms::FormSlot<app::frmHUMO> humo_;
    forms::FormSlot<app::frmSplash> splash_;
    forms::FormSlot<calculator::frmmaster> master_;
};

}  // namespace humo::app
