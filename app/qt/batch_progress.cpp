#include "batch_progress.h"

#include <QEventLoop>
#include <QFutureWatcher>
#include <QLocale>
#include <QProgressDialog>
#include <QTimer>
#include <QtConcurrent>
#include <atomic>

namespace humo::app {
namespace {

constexpr int kScale = 1000;

// What the worker tells the window: written by the worker, read by the window's timer.
struct Shared {
    std::atomic<int64_t> rows{0};
    std::atomic<int64_t> bytes_read{0};
    std::atomic<int64_t> total_bytes{0};
    std::atomic<bool> cancelled{false};
};

BatchOutcome run(const BatchFiles& files, Shared& shared) {
    BatchOutcome outcome;
    try {
        outcome.summary = run_batch(files, [&shared](const batch::BatchProgress& progress) {
            shared.rows = progress.rows;
            shared.bytes_read = progress.bytes_read;
            shared.total_bytes = progress.total_bytes;
            return !shared.cancelled;
        });
    } catch (const batch::BatchCancelled&) {
        outcome.kind = BatchOutcome::Kind::kCancelled;
    } catch (const batch::BatchFailure& failure) {
        outcome.kind = BatchOutcome::Kind::kFailed;
        outcome.failure = failure.what();
    }
    return outcome;
}

}  // namespace

BatchOutcome run_batch_with_progress(QWidget* parent, const BatchFiles& files) {
    Shared shared;
    QProgressDialog dialog(parent);
    dialog.setObjectName("batchProgress");
    dialog.setWindowTitle("Calculate a batch");
    dialog.setLabelText("Calculating the scenarios of " + QString::fromStdString(files.input) +
                        "…");
    dialog.setCancelButtonText("Cancel");
    dialog.setRange(0, kScale);
    dialog.setWindowModality(Qt::WindowModal);
    dialog.setAutoClose(false);
    dialog.setAutoReset(false);
    dialog.setMinimumDuration(0);
    QObject::connect(&dialog, &QProgressDialog::canceled, [&] {
        shared.cancelled = true;
        dialog.setLabelText("Cancelling…");
    });

    QFutureWatcher<BatchOutcome> watcher;
    QEventLoop loop;
    QObject::connect(&watcher, &QFutureWatcher<BatchOutcome>::finished, &loop, &QEventLoop::quit);
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        const int64_t total = shared.total_bytes;
        if (total > 0)
            dialog.setValue(static_cast<int>(shared.bytes_read * kScale / total));
        if (!shared.cancelled) {
            dialog.setLabelText(QLocale().toString(static_cast<qlonglong>(shared.rows.load())) +
                                " rows calculated…");
        }
    });
    timer.start(100);
    dialog.show();
    watcher.setFuture(QtConcurrent::run([&files, &shared] { return run(files, shared); }));
    loop.exec();
    timer.stop();
    dialog.close();
    return watcher.result();
}

}  // namespace humo::app
