#include "shared_read_transaction.h"

namespace humo::app {

void SharedReadTransaction::action_started() {
    if (database_.SoilCarbonConnection)
        database_.SoilCarbonConnection->begin_read();
}

void SharedReadTransaction::end() {
    if (database_.SoilCarbonConnection)
        database_.SoilCarbonConnection->end_read();
}

}  // namespace humo::app
