#pragma once

#include "connection.h"
#include "failure.h"
#include "program.h"

namespace humo::calculator {

// The message a database failure is reported with.
std::string connection_error_text(const Failure& failure);

// Shows one "Error" box: the first entry of the connection's error list, which is then
// cleared, or, when the list is empty, the failure being handled.
void ReportConnectionErrors(forms::Program& program, recordset::Connection* connection,
                            const Failure& running);

}  // namespace humo::calculator
