#pragma once

#include <functional>
#include <string>

#include "data_form.h"
#include "data_windows.h"
#include "defaults_warning.h"
#include "form_slot.h"
#include "program.h"

namespace humo::app {

// The one instance of each data form and warning, and how the calculator opens them.
class ReferenceDataForms : public calculator::DataWindows {
public:
    // `pick` gives the calculator the soil type chosen in a taxon form.
    ReferenceDataForms(forms::Program& program, std::function<void(const std::string&)> pick);

    void show_taxon_form(calculator::TaxonList list) override;
    void show_defaults_warning(calculator::DefaultTable table) override;
    // Opens a table's browser, or brings an open one forward with its current row as it was.
    // A browser whose data cannot be opened says why and does not open.
    void show_browser(calculator::DefaultTable table);

    // Closes every open data form, each writing what was typed into it; false when one could
    // not and so stays open.
    bool close_all();

    forms::FormSlot<maintenance::DataForm>& taxon_form(calculator::TaxonList list);
    forms::FormSlot<maintenance::DataForm>& browser(calculator::DefaultTable table);
    forms::FormSlot<maintenance::frmDefaultsWarning>& warning(calculator::DefaultTable table);

private:
    forms::Program& program_;
    forms::FormSlot<maintenance::DataForm> frmtbl_soiltype_classification_;
    forms::FormSlot<maintenance::DataForm> frmUSDA_classification_;
    forms::FormSlot<maintenance::DataForm> frmc_stocks_;
    forms::FormSlot<maintenance::DataForm> frmInputFactor_;
    forms::FormSlot<maintenance::DataForm> frmMgmtFactors_;
    forms::FormSlot<maintenance::DataForm> frmSystems_;
    forms::FormSlot<maintenance::frmDefaultsWarning> frmDefaultsWarning1_;
    forms::FormSlot<maintenance::frmDefaultsWarning> frmDefaultsWarning2_;
    forms::FormSlot<maintenance::frmDefaultsWarning> frmDefaultsWarning3_;
    forms::FormSlot<maintenance::frmDefaultsWarning> frmDefaultsWarning4_;
};

}  // namespace humo::app
