#pragma once

#include "host.h"

namespace humo::qt {

// The host on a desktop: real message boxes, the system beep, the executable's directory and
// the user's regional decimal separator.
class QtHost : public forms::Host {
public:
    // The database and help file the user's program works with.
    QtHost(std::string database_file, std::string help_file);

    forms::MsgBoxResult msg_box(const std::string& text, const std::string& title,
                                forms::MsgBoxButtons buttons, forms::MsgBoxIcon icon) override;
    void beep() override;
    void end_program() override;
    std::string program_directory() override;
    std::string database_file() override { return database_file_; }
    std::string help_file() override { return help_file_; }
    numbers::DecimalSeparator decimal_separator() override { return separator_; }

private:
    numbers::DecimalSeparator separator_;
    std::string database_file_;
    std::string help_file_;
};

}  // namespace humo::qt
