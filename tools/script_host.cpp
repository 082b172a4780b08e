#include "script_host.h"

#include "json_text.h"

namespace humo::script {

forms::MsgBoxResult ScriptHost::msg_box(const std::string& text, const std::string& title,
                                        forms::MsgBoxButtons buttons, forms::MsgBoxIcon) {
    out_ << "msgbox title=" << json::quote(title) << " text=" << json::quote(text) << "\n";
    const bool yes_no =
        buttons == forms::MsgBoxButtons::kYesNo || buttons == forms::MsgBoxButtons::kYesNoCancel;
    return yes_no ? forms::MsgBoxResult::kYes : forms::MsgBoxResult::kOk;
}

void ScriptHost::beep() { out_ << "beep\n"; }

void ScriptHost::end_program() { out_ << "end\n"; }

void ScriptHost::html_help(const std::string&, const std::string& file, int command, int data) {
    out_ << "help file=" << json::quote(file) << " command=" << command << " data=" << data << "\n";
}

}  // namespace humo::script
