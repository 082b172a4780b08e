#pragma once

#include "program.h"
#include "soil_carbon_database.h"

namespace humo::app {

// The calculator's queries of one user action read the file under one lock, not one lock per
// statement. The lock is let go before a message box makes the user wait, so another program
// can write meanwhile.
class SharedReadTransaction : public forms::ActionObserver {
public:
    explicit SharedReadTransaction(db::SoilCarbonDatabase& database) : database_(database) {}

    void action_started() override;
    void action_finished() override { end(); }
    void modal_wait() override { end(); }

private:
    void end();

    db::SoilCarbonDatabase& database_;
};

}  // namespace humo::app
