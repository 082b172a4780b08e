#pragma once

#include <memory>
#include <string>

#include "module1.h"
#include "program.h"
#include "recording_host.h"

struct sqlite3;

namespace humo::qt {
class QtRenderer;
}

namespace humo::bench {

// The calculator running headless on the humo_tool.mdb in `directory`, opened as a user opens
// it: the introduction form first, then Continue.
class CalculatorSession {
public:
    // With `windows`, every form is also drawn by the Qt renderer (a QApplication must exist).
    explicit CalculatorSession(const std::string& directory, bool windows = false);
    ~CalculatorSession();
    CalculatorSession(const CalculatorSession&) = delete;
    CalculatorSession& operator=(const CalculatorSession&) = delete;

    calculator::frmmaster& form() { return module_.frmmaster(); }
    // The calculator's own connection, to watch the statements a pick runs.
    sqlite3* connection();

    // The position of `item` in `list`; throws std::runtime_error when there is none.
    static int index_of(const forms::ListBox& list, const std::string& item);
    // The user picks an item. Throws std::runtime_error when the pick is refused or ends in a
    // message box or the end of the program: timing an error path would tell us nothing.
    void pick(forms::ListBox& list, const std::string& item);
    void pick(forms::ListBox& list, int index);
    // Throws std::runtime_error when a message box came up or the program ended.
    void check_quiet() const;

private:
    forms::RecordingHost host_;
    forms::Program program_;
    app::Module1 module_;
    std::unique_ptr<qt::QtRenderer> renderer_;
};

}  // namespace humo::bench
