#include "data_form.h"

#include "failure.h"
#include "number_rules.h"
#include "program.h"

namespace humo::maintenance {
namespace {

constexpr int kCommandWidth = 1095;
constexpr int kCommandHeight = 300;
constexpr int kBrowserBarHeight = 300;
constexpr int kBrowserCloseLeft = 2367;
constexpr int kBrowserStatusLeft = 690;
// The window's borders, which the form's outer width counts and its client width does not.
constexpr int kBorderTwips = 120;

constexpr int kEscape = 27;
constexpr int kEnd = 35;
constexpr int kHome = 36;
constexpr int kPageUp = 33;
constexpr int kPageDown = 34;
constexpr int kUp = 38;
constexpr int kDown = 40;
constexpr int kCtrlAlone = 2;

int bar_height(const DataFormDesign& design) {
    return design.editing ? design.editing->button_bar_height : kBrowserBarHeight;
}

forms::Rect command_rect(const DataFormDesign& design, int index) {
    if (!design.editing)
        return {kBrowserCloseLeft, 0, kCommandWidth, kCommandHeight};
    return {design.editing->command_lefts[static_cast<size_t>(index)], design.editing->buttons_top,
            kCommandWidth, kCommandHeight};
}

}  // namespace

DataForm::DataForm(forms::Program& program, const DataFormDesign& design,
                   std::function<void(const std::string&)> pick)
    : Form(program, design.name, design.caption, design.inner_size, forms::FormStyle::kTopLevel),
      picButtons(*this, "picButtons", {0, 0, 0, bar_height(design)}),
      cmdClose(*this, "cmdClose", command_rect(design, 4), "&Close"),
      lblStatus(*this, "lblStatus",
                {design.editing ? design.editing->status_left : kBrowserStatusLeft, 0, 3360, 285},
                ""),
      design_(design),
      pick_(std::move(pick)) {
    set_border_style(forms::BorderStyle::kSizable);
    set_key_preview(true);
    picStatBox.set_aligned_bottom(true);
    picButtons.set_aligned_bottom(true);
    lblStatus.set_back_colour({255, 255, 255});
    cmdClose.set_container(picButtons);
    cmdFirst.set_symbol(forms::ButtonSymbol::kFirst);
    cmdPrevious.set_symbol(forms::ButtonSymbol::kPrevious);
    cmdNext.set_symbol(forms::ButtonSymbol::kNext);
    cmdLast.set_symbol(forms::ButtonSymbol::kLast);
    for (Button* button : {&cmdFirst, &cmdPrevious, &cmdNext, &cmdLast}) {
        button->set_container(picStatBox);
        button->set_accessible_name(button->caption() + " record");
    }
    lblStatus.set_container(picStatBox);
    grdDataGrid.set_accessible_name(design.caption);
    cmdClose.Click = [this] { cmdClose_Click(); };
    cmdFirst.Click = [this] { cmdFirst_Click(); };
    cmdPrevious.Click = [this] { cmdPrevious_Click(); };
    cmdNext.Click = [this] { cmdNext_Click(); };
    cmdLast.Click = [this] { cmdLast_Click(); };

    if (!design.editing) {
        // A browser changes stored values in place; it neither adds nor deletes rows.
        grdDataGrid.set_allow_add_new(false);
        set_tab_order({&grdDataGrid, &cmdClose, &cmdFirst, &cmdPrevious, &cmdNext, &cmdLast});
        return;
    }
    const DataFormDesign::Editing& editing = *design.editing;
    Label1.emplace(*this, "Label1", editing.instruction,
                   "Double click on the soil taxon you wish to specify");
    cmdAdd.emplace(*this, "cmdAdd", command_rect(design, 0), "&Add");
    cmdEdit.emplace(*this, "cmdEdit", command_rect(design, 1), "&Edit");
    cmdDelete.emplace(*this, "cmdDelete", command_rect(design, 2), "&Delete");
    cmdRefresh.emplace(*this, "cmdRefresh", command_rect(design, 3), "&Refresh");
    cmdUpdate.emplace(*this, "cmdUpdate",
                      forms::Rect{editing.update_cancel_lefts[0], editing.buttons_top,
                                  kCommandWidth, kCommandHeight},
                      "&Update");
    cmdCancel.emplace(*this, "cmdCancel",
                      forms::Rect{editing.update_cancel_lefts[1], editing.buttons_top,
                                  kCommandWidth, kCommandHeight},
                      "&Cancel");
    Label1->set_container(picButtons);
    for (Button* button :
         {&*cmdAdd, &*cmdEdit, &*cmdDelete, &*cmdRefresh, &*cmdUpdate, &*cmdCancel}) {
        button->set_container(picButtons);
    }
    // Update and Cancel take the places of Add and Edit while a row is being edited.
    cmdUpdate->set_visible(false);
    cmdCancel->set_visible(false);
    cmdAdd->Click = [this] { cmdAdd_Click(); };
    cmdEdit->Click = [this] { cmdEdit_Click(); };
    cmdDelete->Click = [this] { cmdDelete_Click(); };
    cmdRefresh->Click = [this] { cmdRefresh_Click(); };
    cmdUpdate->Click = [this] { cmdUpdate_Click(); };
    cmdCancel->Click = [this] { cmdCancel_Click(); };
    grdDataGrid.DblClick = [this] { grdDataGrid_DblClick(); };
    set_tab_order({&grdDataGrid, &*cmdAdd, &*cmdEdit, &*cmdDelete, &*cmdRefresh, &cmdClose,
                   &*cmdUpdate, &*cmdCancel, &cmdFirst, &cmdPrevious, &cmdNext, &cmdLast});
}

DataForm::~DataForm() { release_data(); }

void DataForm::Form_Load() {
    connection_ = std::make_unique<recordset::Connection>();
    connection_->set_cursor_location(recordset::CursorLocation::kClient);
    connection_->open(program().host().database_file());
    adoPrimaryRS = std::make_unique<recordset::EditableRecordset>();
    // Every change is accepted without a check.
    adoPrimaryRS->WillChangeRecord = [] {};
    if (design_.editing) {
        adoPrimaryRS->MoveComplete = [this] { adoPrimaryRS_MoveComplete(); };
        adoPrimaryRS->set_new_row_values({{"fao_usda", design_.editing->classification}});
    }
    const numbers::DecimalSeparator separator = program().host().decimal_separator();
    // Stocks and factors take what the calculator can compute with.
    adoPrimaryRS->set_number_rule([separator](std::string_view table, std::string_view column,
                                              std::string_view text) -> std::optional<std::string> {
        const bool no_data = engine::takes_no_data_value(table, column);
        const engine::NumberProblem problem =
            engine::check_number(text, separator, no_data).problem;
        if (problem == engine::NumberProblem::kNone)
            return std::nullopt;
        return engine::problem_text(problem, separator, no_data);
    });
    adoPrimaryRS->open(design_.query, *connection_, separator);
    grdDataGrid.set_data_source(adoPrimaryRS.get());
    edit_mode_ = false;
    program().add_end_guard(*this);
    guarding_end_ = true;
}

void DataForm::Form_Resize() {
    // Each step stands alone: one that would give a negative size is left out.
    const int grid_height =
        client_size().height - 30 - picButtons.rect().height - picStatBox.rect().height;
    if (grid_height >= 0)
        grdDataGrid.set_rect({0, 0, client_size().width, grid_height});
    const int status_width = client_size().width + kBorderTwips - 1500;
    if (status_width < 0)
        return;
    const forms::Rect status = lblStatus.rect();
    lblStatus.set_rect({status.left, status.top, status_width, status.height});
    const int next_left = status_width + 700;
    cmdNext.set_rect({next_left, 0, cmdNext.rect().width, cmdNext.rect().height});
    cmdLast.set_rect({next_left + 340, 0, cmdLast.rect().width, cmdLast.rect().height});
}

void DataForm::Form_KeyDown(int& key_code, int shift) {
    if (edit_mode_)
        return;
    switch (key_code) {
        case kEscape:
            cmdClose_Click();
            break;
        case kEnd:
            cmdLast_Click();
            break;
        case kHome:
            cmdFirst_Click();
            break;
        case kUp:
        case kPageUp:
            if (shift == kCtrlAlone) {
                cmdFirst_Click();
            } else {
                cmdPrevious_Click();
            }
            break;
        case kDown:
        case kPageDown:
            if (shift == kCtrlAlone) {
                cmdLast_Click();
            } else {
                cmdNext_Click();
            }
            break;
        default:
            return;
    }
    // The form moved the row: the grid must not move it again for the same key.
    key_code = 0;
}

void DataForm::Form_Unload(bool& cancel) {
    if (!write_pending()) {
        cancel = true;
        return;
    }
    release_data();
}

void DataForm::release_data() {
    if (guarding_end_)
        program().remove_end_guard(*this);
    guarding_end_ = false;
    grdDataGrid.set_data_source(nullptr);
    if (adoPrimaryRS && adoPrimaryRS->state() == recordset::ObjectState::kOpen)
        adoPrimaryRS->close();
    adoPrimaryRS.reset();
    connection_.reset();
}

bool DataForm::write_pending() {
    if (!adoPrimaryRS || adoPrimaryRS->state() != recordset::ObjectState::kOpen)
        return true;
    try {
        adoPrimaryRS->update();
        return true;
    } catch (const Failure& failure) {
        program().msg_box(failure.description());
        return false;
    }
}

void DataForm::trapped(const std::function<void()>& body) {
    try {
        body();
    } catch (const Failure& failure) {
        program().msg_box(failure.description());
    }
}

void DataForm::adoPrimaryRS_MoveComplete() {
    lblStatus.set_caption("Record: " + std::to_string(adoPrimaryRS->absolute_position()));
}

void DataForm::cmdFirst_Click() {
    trapped([this] { adoPrimaryRS->move_first(); });
}

void DataForm::cmdLast_Click() {
    trapped([this] { adoPrimaryRS->move_last(); });
}

void DataForm::cmdNext_Click() {
    trapped([this] {
        if (!adoPrimaryRS->eof())
            adoPrimaryRS->move_next();
        if (adoPrimaryRS->eof() && adoPrimaryRS->record_count() > 0) {
            program().host().beep();
            adoPrimaryRS->move_last();
        }
    });
}

void DataForm::cmdPrevious_Click() {
    trapped([this] {
        if (!adoPrimaryRS->bof())
            adoPrimaryRS->move_previous();
        if (adoPrimaryRS->bof() && adoPrimaryRS->record_count() > 0) {
            program().host().beep();
            adoPrimaryRS->move_first();
        }
    });
}

void DataForm::cmdAdd_Click() {
    trapped([this] {
        adoPrimaryRS->move_last();
        adoPrimaryRS->add_new();
        grdDataGrid.set_focus();
    });
}

void DataForm::cmdDelete_Click() {
    trapped([this] {
        adoPrimaryRS->delete_current();
        adoPrimaryRS->move_next();
        if (adoPrimaryRS->eof())
            adoPrimaryRS->move_last();
    });
}

void DataForm::cmdRefresh_Click() {
    trapped([this] {
        // What was typed is written before the rows are read again.
        adoPrimaryRS->update();
        grdDataGrid.set_data_source(nullptr);
        adoPrimaryRS->requery();
        grdDataGrid.set_data_source(adoPrimaryRS.get());
    });
}

void DataForm::cmdEdit_Click() {
    trapped([this] {
        lblStatus.set_caption("Edit record");
        edit_mode_ = true;
        SetBrowseButtons(false);
    });
}

void DataForm::cmdUpdate_Click() {
    trapped([this] {
        adoPrimaryRS->update_batch();
        edit_mode_ = false;
        SetBrowseButtons(true);
    });
}

void DataForm::cmdCancel_Click() {
    // Every step runs, whatever the one before it did.
    auto ignoring_errors = [](const std::function<void()>& step) {
        try {
            step();
        } catch (const Failure&) {
        }
    };
    ignoring_errors([this] { SetBrowseButtons(true); });
    edit_mode_ = false;
    ignoring_errors([this] { adoPrimaryRS->cancel_update(); });
    ignoring_errors([this] { adoPrimaryRS->move_first(); });
}

void DataForm::cmdClose_Click() { unload(); }

void DataForm::grdDataGrid_DblClick() {
    // An empty list has nothing to pick.
    if (grdDataGrid.current_row() < 0)
        return;
    if (!write_pending())
        return;
    const std::string soil_type = grdDataGrid.column_text(1);
    if (pick_)
        pick_(soil_type);
    unload();
}

void DataForm::SetBrowseButtons(bool browse) {
    for (Button* button : {&*cmdAdd, &*cmdEdit, &*cmdDelete, &*cmdRefresh, &cmdClose})
        button->set_visible(browse);
    cmdUpdate->set_visible(!browse);
    cmdCancel->set_visible(!browse);
    forms::set_enabled({&cmdFirst, &cmdPrevious, &cmdNext, &cmdLast}, browse);
}

}  // namespace humo::maintenance
