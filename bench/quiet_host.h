#pragma once

#include <string>
#include <vector>

#include "host.h"

namespace humo::bench {

// A host without windows: message boxes are answered OK at once and kept, so a benchmark can
// tell that a pick went wrong instead of timing an error path.
class QuietHost : public forms::Host {
public:
    explicit QuietHost(std::string directory) : directory_(std::move(directory)) {}

    forms::MsgBoxResult msg_box(const std::string& text, const std::string&, forms::MsgBoxButtons,
                                forms::MsgBoxIcon) override {
        messages_.push_back(text);
        return forms::MsgBoxResult::kOk;
    }
    void beep() override {}
    void end_program() override {}
    std::string program_directory() override { return directory_; }
    numbers::DecimalSeparator decimal_separator() override { return {'.'}; }
    // The benchmarks ask for no help.
    void html_help(const std::string&, const std::string&, int, int) override {}

    const std::vector<std::string>& messages() const { return messages_; }

private:
    std::string directory_;
    std::vector<std::string> messages_;
};

}  // namespace humo::bench
