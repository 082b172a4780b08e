#pragma once

#include <ostream>
#include <string>

#include "file_locations.h"
#include "host.h"

namespace humo::script {

// A host without windows: every message box, beep, help request and the end of the program is
// written as a line, and every message box is answered at once with its first button.
class ScriptHost : public forms::Host {
public:
    ScriptHost(std::ostream& out, std::string program_directory, db::FileLocations locations,
               numbers::DecimalSeparator separator)
        : out_(out),
          program_directory_(std::move(program_directory)),
          locations_(std::move(locations)),
          separator_(separator) {}

    forms::MsgBoxResult msg_box(const std::string& text, const std::string& title,
                                forms::MsgBoxButtons buttons, forms::MsgBoxIcon icon) override;
    void beep() override;
    void end_program() override;
    std::string program_directory() override { return program_directory_; }
    std::string database_file() override { return locations_.database; }
    std::string help_file() override { return locations_.help_file; }
    std::string defaults_directory() override { return locations_.defaults_directory; }
    const db::FileLocations& locations() const { return locations_; }
    numbers::DecimalSeparator decimal_separator() override { return separator_; }
    void html_help(const std::string& window, const std::string& file, int command,
                   int data) override;

private:
    std::ostream& out_;
    std::string program_directory_;
    db::FileLocations locations_;
    numbers::DecimalSeparator separator_;
};

}  // namespace humo::script
