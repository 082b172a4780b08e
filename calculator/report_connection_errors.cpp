#include "report_connection_errors.h"

namespace humo::calculator {

std::string connection_error_text(const Failure& failure) {
    return "Error Code: " + std::to_string(failure.number()) +
           "\r\nDescription: " + failure.description() + "\r\nSource: " + failure.source();
}

void ReportConnectionErrors(forms::Program& program, recordset::Connection* connection,
                            const Failure& running) {
    if (connection && connection->errors().count() > 0) {
        // Copied: clearing the list destroys the entry.
        const Failure first = connection->errors().item(0);
        program.msg_box(connection_error_text(first), forms::MsgBoxButtons::kOk,
                        forms::MsgBoxIcon::kStop, "Error");
        connection->errors().clear();
        return;
    }
    program.msg_box(connection_error_text(running), forms::MsgBoxButtons::kOk,
                    forms::MsgBoxIcon::kStop, "Error");
}

}  // namespace humo::calculator
