#include "recording_host.h"

#include "json_text.h"

namespace humo::forms {
namespace {

MsgBoxResult first_button(MsgBoxButtons buttons) {
    const bool yes_no = buttons == MsgBoxButtons::kYesNo || buttons == MsgBoxButtons::kYesNoCancel;
    return yes_no ? MsgBoxResult::kYes : MsgBoxResult::kOk;
}

}  // namespace

std::ostream& operator<<(std::ostream& out, const HelpCall& call) {
    return out << "{" << call.window << ", " << call.file << ", " << call.command << ", "
               << call.data << "}";
}

RecordingHost::RecordingHost(ProgramFiles files, numbers::DecimalSeparator separator)
    : Host(std::move(files)), separator_(separator) {}

MsgBoxResult RecordingHost::msg_box(const std::string& text, const std::string& title,
                                    MsgBoxButtons buttons, MsgBoxIcon icon) {
    messages.push_back({title, text, buttons, icon});
    if (events_) {
        *events_ << "msgbox title=" << json::quote(title) << " text=" << json::quote(text) << "\n";
    }
    if (while_shown)
        while_shown();
    if (answers.empty())
        return first_button(buttons);
    const MsgBoxResult answer = answers.front();
    answers.pop_front();
    return answer;
}

void RecordingHost::beep() {
    ++beeps;
    if (events_)
        *events_ << "beep\n";
}

void RecordingHost::end_program() {
    ended = true;
    if (events_)
        *events_ << "end\n";
}

void RecordingHost::html_help(const std::string& window, const std::string& file, int command,
                              int data) {
    help_calls.push_back({window, file, command, data});
    if (events_) {
        *events_ << "help file=" << json::quote(file) << " command=" << command << " data=" << data
                 << "\n";
    }
}

std::vector<std::string> RecordingHost::message_texts() const {
    std::vector<std::string> texts;
    for (const MessageBox& message : messages)
        texts.push_back(message.text);
    return texts;
}

}  // namespace humo::forms
