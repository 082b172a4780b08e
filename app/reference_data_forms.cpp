#include "reference_data_forms.h"

#include "failure.h"

namespace humo::app {
namespace {

using calculator::DefaultTable;
using calculator::TaxonList;
using maintenance::DataForm;
using maintenance::DataFormDesign;
using maintenance::frmDefaultsWarning;
using maintenance::WarningDesign;

// Loads and shows a data form; one whose data could not be opened is closed again before the
// failure goes on to the caller.
void open(forms::Form& form) {
    try {
        form.load();
        form.show();
    } catch (const Failure&) {
        form.unload();
        throw;
    }
}

}  // namespace

ReferenceDataForms::ReferenceDataForms(forms::Program& program,
                                       std::function<void(const std::string&)> pick)
    : program_(program),
      frmtbl_soiltype_classification_([this, pick] {
          return std::make_unique<DataForm>(program_, maintenance::wrb_taxon_form(), pick);
      }),
      frmUSDA_classification_([this, pick] {
          return std::make_unique<DataForm>(program_, maintenance::usda_taxon_form(), pick);
      }),
      frmc_stocks_(
          [this] { return std::make_unique<DataForm>(program_, maintenance::c_stocks_browser()); }),
      frmInputFactor_([this] {
          return std::make_unique<DataForm>(program_, maintenance::input_factor_browser());
      }),
      frmMgmtFactors_([this] {
          return std::make_unique<DataForm>(program_, maintenance::management_factor_browser());
      }),
      frmSystems_(
          [this] { return std::make_unique<DataForm>(program_, maintenance::systems_browser()); }),
      frmDefaultsWarning1_([this] {
          return std::make_unique<frmDefaultsWarning>(
              program_, maintenance::management_factors_warning(),
              [this] { show_browser(DefaultTable::kManagementFactors); });
      }),
      frmDefaultsWarning2_([this] {
          return std::make_unique<frmDefaultsWarning>(
              program_, maintenance::c_stocks_warning(),
              [this] { show_browser(DefaultTable::kCStocks); });
      }),
      frmDefaultsWarning3_([this] {
          return std::make_unique<frmDefaultsWarning>(
              program_, maintenance::systems_warning(),
              [this] { show_browser(DefaultTable::kSystems); });
      }),
      frmDefaultsWarning4_([this] {
          return std::make_unique<frmDefaultsWarning>(
              program_, maintenance::input_factors_warning(),
              [this] { show_browser(DefaultTable::kInputFactors); });
      }) {}

forms::FormSlot<DataForm>& ReferenceDataForms::taxon_form(TaxonList list) {
    return list == TaxonList::kWrb ? frmtbl_soiltype_classification_ : frmUSDA_classification_;
}

forms::FormSlot<DataForm>& ReferenceDataForms::browser(DefaultTable table) {
    switch (table) {
        case DefaultTable::kManagementFactors:
            return frmMgmtFactors_;
        case DefaultTable::kCStocks:
            return frmc_stocks_;
        case DefaultTable::kSystems:
            return frmSystems_;
        case DefaultTable::kInputFactors:
            break;
    }
    return frmInputFactor_;
}

forms::FormSlot<frmDefaultsWarning>& ReferenceDataForms::warning(DefaultTable table) {
    switch (table) {
        case DefaultTable::kManagementFactors:
            return frmDefaultsWarning1_;
        case DefaultTable::kCStocks:
            return frmDefaultsWarning2_;
        case DefaultTable::kSystems:
            return frmDefaultsWarning3_;
        case DefaultTable::kInputFactors:
            break;
    }
    return frmDefaultsWarning4_;
}

bool ReferenceDataForms::close_all() {
    for (forms::FormSlot<DataForm>* slot :
         {&frmtbl_soiltype_classification_, &frmUSDA_classification_, &frmc_stocks_,
          &frmInputFactor_, &frmMgmtFactors_, &frmSystems_}) {
        DataForm* form = slot->existing();
        if (form && form->loaded() && !form->unload())
            return false;
    }
    return true;
}

void ReferenceDataForms::show_taxon_form(TaxonList list) { open(taxon_form(list)()); }

void ReferenceDataForms::show_defaults_warning(DefaultTable table) { warning(table)().show(); }

void ReferenceDataForms::show_browser(DefaultTable table) {
    try {
        open(browser(table)());
    } catch (const Failure& failure) {
        program_.msg_box(failure.description());
    }
}

}  // namespace humo::app
