#pragma once

#include <memory>

#include "host.h"

namespace humo::help {
class HelpViewer;
}

namespace humo::qt {

// The host on a desktop: real message boxes, the system beep, the user's regional decimal
// separator and the help window.
class QtHost : public forms::Host {
public:
    explicit QtHost(forms::ProgramFiles files);
    ~QtHost() override;

    forms::MsgBoxResult msg_box(const std::string& text, const std::string& title,
                                forms::MsgBoxButtons buttons, forms::MsgBoxIcon icon) override;
    void beep() override;
    void end_program() override;
    numbers::DecimalSeparator decimal_separator() override { return separator_; }
    // One help window, opened on the first request and brought up by each later one.
    void html_help(const std::string& window, const std::string& file, int command,
                   int data) override;
    help::HelpViewer* help_viewer() const { return help_viewer_.get(); }

private:
    numbers::DecimalSeparator separator_;
    std::unique_ptr<help::HelpViewer> help_viewer_;
};

}  // namespace humo::qt
