#include "dump_lines.h"

#include <vector>

#include "data_grid.h"
#include "json_text.h"
#include "list_box.h"

namespace humo::script {
namespace {

const char* kind_name(forms::ControlKind kind) {
    switch (kind) {
        case forms::ControlKind::kList:
            return "list";
        case forms::ControlKind::kTextBox:
            return "textbox";
        case forms::ControlKind::kLabel:
            return "label";
        case forms::ControlKind::kButton:
            return "button";
        case forms::ControlKind::kFrame:
            return "frame";
        case forms::ControlKind::kLine:
            return "line";
        case forms::ControlKind::kPicture:
            return "picture";
        case forms::ControlKind::kGrid:
            return "grid";
    }
    return "?";
}

}  // namespace

std::string form_line(const forms::Form& form) {
    return "form " + form.name() + " visible=" + (form.visible() ? "1" : "0") +
           " caption=" + json::quote(form.caption());
}

std::string dump_line(const forms::Form& form, const forms::Control& control) {
    std::string line = form.name() + "." + control.name() + " kind=" + kind_name(control.kind()) +
                       " enabled=" + (control.enabled() ? "1" : "0") +
                       " visible=" + (control.visible() ? "1" : "0") +
                       " text=" + json::quote(control.text());
    if (auto* list = dynamic_cast<const forms::ListBox*>(&control)) {
        line +=
            " index=" + std::to_string(list->list_index()) + " items=" + json::array(list->items());
    }
    if (auto* grid = dynamic_cast<const forms::DataGrid*>(&control)) {
        // The current row counted from 1, as the status bar counts it; 0 when there is none.
        line += " position=" + std::to_string(grid->current_row() + 1) + " rows=[";
        for (long row = 0; row < grid->row_count(); ++row) {
            std::vector<std::string> cells;
            for (int column = 0; column < grid->column_count(); ++column)
                cells.push_back(grid->cell_text(row, column));
            line += (row ? "," : "") + json::array(cells);
        }
        line += "]";
    }
    return line;
}

}  // namespace humo::script
