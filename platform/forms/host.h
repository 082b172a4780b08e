#pragma once

#include <string>
#include <utility>

#include "number_text.h"
#include "program_files.h"

namespace humo::forms {

enum class MsgBoxButtons { kOk, kOkCancel, kYesNo, kYesNoCancel };
enum class MsgBoxIcon { kNone, kStop, kQuestion, kExclamation, kInformation };
enum class MsgBoxResult { kOk = 1, kCancel = 2, kYes = 6, kNo = 7 };

// The help commands the program gives, with their published HTML Help values.
inline constexpr int kHelpDisplayTopic = 0;  // data 0: the file's default topic
inline constexpr int kHelpContext = 15;      // data: the context number of the topic

// What the program asks of the machine it runs on. The Qt host shows real windows; the
// recording host records every request and answers message boxes at once.
class Host {
public:
    explicit Host(ProgramFiles files) : files_(std::move(files)) {}
    virtual ~Host() = default;

    // Modal: returns once the user has answered.
    virtual MsgBoxResult msg_box(const std::string& text, const std::string& title,
                                 MsgBoxButtons buttons, MsgBoxIcon icon) = 0;
    virtual void beep() = 0;
    // Ends the program at once; no unload handler runs.
    virtual void end_program() = 0;
    const std::string& database_file() const { return files_.database; }
    const std::string& help_file() const { return files_.help_file; }
    const std::string& defaults_directory() const { return files_.defaults_directory; }
    // The decimal separator of the user's regional settings, read once at start-up.
    virtual numbers::DecimalSeparator decimal_separator() = 0;
    // Opens the help viewer on the compiled HTML help file `file` as `command` says, or brings
    // it up when it is open already; "FILE::/topics/a.htm" with command 0 names a topic. `window`
    // names the window that asks: a form, or FORM.CONTROL. A missing file or topic is the viewer's
    // to report.
    virtual void html_help(const std::string& window, const std::string& file, int command,
                           int data) = 0;

private:
    ProgramFiles files_;
};

}  // namespace humo::forms
