#pragma once

#include <QWidget>
#include <string>

#include "results_actions.h"

namespace humo::app {

// How a batch run in the window ended.
struct BatchOutcome {
    enum class Kind { kDone, kCancelled, kFailed };
    Kind kind = Kind::kDone;
    batch::BatchSummary summary;
    std::string failure;
};

// Runs a batch on a worker thread behind a progress dialog that can cancel it; the window
// keeps painting and moving meanwhile. Returns once the run has ended.
BatchOutcome run_batch_with_progress(QWidget* parent, const BatchFiles& files);

}  // namespace humo::app
