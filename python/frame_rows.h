#pragma once

#include <pybind11/pybind11.h>

#include "scenario.h"

namespace humo::python {

// A data frame's rows computed as humo-batch computes a file's: the frame's columns matched as
// a header's names, every row's results appended as text (or put in place of an earlier run's),
// a bad row's reason in `error`. The frame itself is left as it was.
pybind11::object compute_frame(batch::ScenarioCalculator& calculator,
                               const pybind11::object& frame);

// One scenario given by column names: its results by the result columns' names.
pybind11::dict compute_scenario(batch::ScenarioCalculator& calculator,
                                const pybind11::kwargs& cells);

}  // namespace humo::python
