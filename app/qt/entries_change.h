#pragma once

#include <QUndoCommand>
#include <functional>

#include "history_report.h"

namespace humo::app {

// One change to the history: undone by putting the entries back as they were before it, and
// redone by putting them back as they were after it.
class EntriesChange : public QUndoCommand {
public:
    using PutBack = std::function<void(const report::HistoryEntries&)>;
    EntriesChange(const QString& what, report::HistoryEntries before, report::HistoryEntries after,
                  PutBack put_back)
        : QUndoCommand(what),
          before_(std::move(before)),
          after_(std::move(after)),
          put_back_(std::move(put_back)) {}

    void undo() override { put_back_(before_); }
    // The change is made before it is pushed: the first redo has nothing to do.
    void redo() override {
        if (made_)
            put_back_(after_);
        made_ = true;
    }

private:
    report::HistoryEntries before_;
    report::HistoryEntries after_;
    PutBack put_back_;
    bool made_ = false;
};

}  // namespace humo::app
