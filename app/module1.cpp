#include "module1.h"

namespace humo::app {

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

void Module1::Main() {
    frmSplash().show();
    frmSplash().refresh();
}

}  // namespace humo::app
