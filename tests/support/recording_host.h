#pragma once

#include <deque>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "host.h"

namespace humo::testing {

struct MessageBox {
    std::string title;
    std::string text;
    forms::MsgBoxButtons buttons;
    forms::MsgBoxIcon icon;
};

struct HelpCall {
    std::string window;
    std::string file;
    int command;
    int data;
    bool operator==(const HelpCall&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const HelpCall& call) {
    return out << "{" << call.window << ", " << call.file << ", " << call.command << ", "
               << call.data << "}";
}

// A host that records what the program asked for. Message boxes are answered from `answers`,
// then with OK.
class RecordingHost : public forms::Host {
public:
    explicit RecordingHost(std::string directory = ".", char separator = '.')
        : directory_(std::move(directory)), separator_{separator} {}

    forms::MsgBoxResult msg_box(const std::string& text, const std::string& title,
                                forms::MsgBoxButtons buttons, forms::MsgBoxIcon icon) override {
        messages.push_back({title, text, buttons, icon});
        if (while_shown)
            while_shown();
        if (answers.empty())
            return forms::MsgBoxResult::kOk;
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void beep() override { ++beeps; }
    void end_program() override { ended = true; }
    std::string program_directory() override { return directory_; }
    numbers::DecimalSeparator decimal_separator() override { return separator_; }
    void html_help(const std::string& window, const std::string& file, int command,
                   int data) override {
        help_calls.push_back({window, file, command, data});
    }

    std::vector<std::string> message_texts() const {
        std::vector<std::string> texts;
        for (const MessageBox& message : messages)
            texts.push_back(message.text);
        return texts;
    }

    std::vector<MessageBox> messages;
    std::deque<forms::MsgBoxResult> answers;
    // Runs while each message box is up, to look at what the user sees behind it.
    std::function<void()> while_shown;
    std::vector<HelpCall> help_calls;
    int beeps = 0;
    bool ended = false;

private:
    std::string directory_;
    numbers::DecimalSeparator separator_;
};

}  // namespace humo::testing
