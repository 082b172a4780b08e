#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "command_button.h"
#include "connection.h"
#include "data_form_design.h"
#include "data_grid.h"
#include "editable_recordset.h"
#include "form.h"
#include "label.h"
#include "picture_box.h"
#include "program.h"

namespace humo::maintenance {

// A grid over one table's rows, opened over a connection of its own: the two soil taxon forms,
// which add, edit, delete and pick rows, and the four default-table browsers, which change
// stored values in place. What the user typed is never lost: the pending row is written when
// the row moves, on Update, before Refresh, when the form closes and before the program ends;
// a refused write says why and keeps the row, the form and the program as they were.
class DataForm : public forms::Form, private forms::EndGuard {
public:
    // `pick` hands a chosen soil type to the calculator.
    DataForm(forms::Program& program, const DataFormDesign& design,
             std::function<void(const std::string&)> pick = {});
    ~DataForm() override;

    void cmdAdd_Click();
    void cmdEdit_Click();
    void cmdDelete_Click();
    void cmdRefresh_Click();
    void cmdUpdate_Click();
    void cmdCancel_Click();
    void cmdClose_Click();
    void cmdFirst_Click();
    void cmdPrevious_Click();
    void cmdNext_Click();
    void cmdLast_Click();
    void grdDataGrid_DblClick();
    void adoPrimaryRS_MoveComplete();

    bool edit_mode() const { return edit_mode_; }
    recordset::EditableRecordset* recordset() const { return adoPrimaryRS.get(); }

    using Button = forms::CommandButton;

    // The status bar first: it sits at the very bottom, the button bar above it.
    forms::DataGrid grdDataGrid{*this, "grdDataGrid", {0, 0, 0, 0}};
    forms::PictureBox picStatBox{*this, "picStatBox", {0, 0, 0, 300}};
    forms::PictureBox picButtons;
    std::optional<forms::Label> Label1;
    std::optional<Button> cmdAdd;
    std::optional<Button> cmdEdit;
    std::optional<Button> cmdDelete;
    std::optional<Button> cmdRefresh;
    Button cmdClose;
    std::optional<Button> cmdUpdate;
    std::optional<Button> cmdCancel;
    Button cmdFirst{*this, "cmdFirst", {0, 0, 345, 300}, "First"};
    Button cmdPrevious{*this, "cmdPrevious", {345, 0, 345, 300}, "Previous"};
    forms::Label lblStatus;
    Button cmdNext{*this, "cmdNext", {4200, 0, 345, 300}, "Next"};
    Button cmdLast{*this, "cmdLast", {4545, 0, 345, 300}, "Last"};

protected:
    void Form_Load() override;
    void Form_Resize() override;
    void Form_KeyDown(int& key_code, int shift) override;
    void Form_Unload(bool& cancel) override;

private:
    void SetBrowseButtons(bool browse);
    // Runs a handler's body; a failure shows its description and ends the handler there.
    void trapped(const std::function<void()>& body);
    // Writes the pending row; a refusal is shown and answered false.
    bool write_pending();
    bool ready_to_end() override { return write_pending(); }
    void release_data();

    const DataFormDesign& design_;
    std::function<void(const std::string&)> pick_;
    std::unique_ptr<recordset::Connection> connection_;
    std::unique_ptr<recordset::EditableRecordset> adoPrimaryRS;
    bool edit_mode_ = false;
    // Registered with the program as a guard of its end while the form has data open.
    bool guarding_end_ = false;
};

}  // namespace humo::maintenance
