#pragma once

#include <deque>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "host.h"

namespace humo::forms {

struct MessageBox {
    std::string title;
    std::string text;
    MsgBoxButtons buttons;
    MsgBoxIcon icon;
};

struct HelpCall {
    std::string window;
    std::string file;
    int command;
    int data;
    bool operator==(const HelpCall&) const = default;
};

std::ostream& operator<<(std::ostream& out, const HelpCall& call);

// A host without windows, for humo-script, the tests and the benchmarks: it records what the
// program asked for, in order, and answers each message box at once: with the next of the
// answers set in advance, else with the box's first button (OK, or Yes).
class RecordingHost : public Host {
public:
    explicit RecordingHost(ProgramFiles files = {}, numbers::DecimalSeparator separator = {});

    // From now on also writes each request to `out` as a line, as humo-script prints it:
    // msgbox title=<JSON> text=<JSON>, beep, end, help file=<JSON> command=<n> data=<n>.
    void write_events_to(std::ostream& out) { events_ = &out; }

    MsgBoxResult msg_box(const std::string& text, const std::string& title, MsgBoxButtons buttons,
                         MsgBoxIcon icon) override;
    void beep() override;
    void end_program() override;
    numbers::DecimalSeparator decimal_separator() override { return separator_; }
    void html_help(const std::string& window, const std::string& file, int command,
                   int data) override;

    std::vector<std::string> message_texts() const;

    std::vector<MessageBox> messages;
    std::deque<MsgBoxResult> answers;
    // Runs while each message box is up, to look at what the user sees behind it.
    std::function<void()> while_shown;
    std::vector<HelpCall> help_calls;
    int beeps = 0;
    bool ended = false;

private:
    numbers::DecimalSeparator separator_;
    std::ostream* events_ = nullptr;
};

}  // namespace humo::forms
