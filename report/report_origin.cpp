#include "report_origin.h"

namespace humo::report {

ReportOrigin report_origin(const std::string& created, const std::string& database_file,
                           const std::string& edition, const EditedValues& edited) {
    ReportOrigin origin;
    origin.lines = {"Made on " + created, "Database: " + database_file,
                    "Default values: " + edition};
    if (!edited.compared) {
        origin.lines.push_back(
            "Whether its values differ from the shipped defaults is not known: " + edited.note +
            ".");
    } else if (edited.count == 0) {
        origin.lines.push_back("Its values are the shipped defaults of that edition.");
    } else {
        origin.lines.push_back(std::to_string(edited.count) +
                               (edited.count == 1 ? " row differs" : " rows differ") +
                               " from the shipped defaults of that edition:");
    }
    origin.edited_rows = edited.rows;
    if (edited.count > edited.rows.size())
        origin.edited_rows.push_back("… and " + std::to_string(edited.count - edited.rows.size()) +
                                     " more");
    return origin;
}

}  // namespace humo::report
