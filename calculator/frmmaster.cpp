#include "frmmaster.h"

#include "access_conversion.h"
#include "failure.h"
#include "integrity.h"
#include "program.h"
#include "report_connection_errors.h"

namespace humo::calculator {
namespace {

using forms::Font;

const Font kTitleFont{"Arial", 12, true};
const Font kHeadingFont{"Arial", 12, true};
const Font kCaptionFont{"Arial", 9, true};
const Font kValueFont{"Arial", 9, false};
const Font kSiteListFont{"MS Sans Serif", 8.25, false};
const Font kButtonFont{"Arial", 9, false};

// A list or box is announced by the caption beside it, without its colon; the two system
// columns add "FROM " or "TO ".
void name_after(forms::Control& control, const forms::Label& label,
                const std::string& prefix = {}) {
    std::string caption = label.caption();
    if (!caption.empty() && caption.back() == ':')
        caption.pop_back();
    control.set_accessible_name(prefix + caption);
}

void apply_look(std::initializer_list<forms::Control*> controls, const Font& font,
                std::optional<forms::Rgb> colour) {
    for (forms::Control* control : controls) {
        control->set_font(font);
        if (colour)
            control->set_fore_colour(*colour);
    }
}

void set_help_context_id(std::initializer_list<forms::Control*> controls, int id) {
    for (forms::Control* control : controls)
        control->set_help_context_id(id);
}

}  // namespace

frmmaster::frmmaster(forms::Program& program, db::SoilCarbonDatabase& database,
                     CalculatorState& state, DataWindows& data_windows)
    : Form(program, "frmmaster", "Calculate Soil Carbon Stocks", {15240, 10065},
           forms::FormStyle::kMdiChild),
      database_(database),
      state_(state),
      data_windows_(data_windows),
      separator_(program.host().decimal_separator()),
      tables_(database, separator_),
      from_{system1,
            system1_label,
            Management1,
            management_factor1,
            management_factor1_label,
            Input1,
            input_factor1,
            input_factor1_label,
            base_factor1,
            base_factor1_label,
            carbon_stock_20yrs_1,
            carbon_stock_20yrs_1_label,
            carbon_stock_20yrs_1_units,
            state.management1_count,
            state.input1_count,
            state.grassland1},
      to_{system2,
          system2_label,
          Management2,
          management_factor2,
          management_factor2_label,
          Input2,
          input_factor2,
          input_factor2_label,
          base_factor2,
          base_factor2_label,
          carbon_stock_20yrs_2,
          carbon_stock_20yrs_2_label,
          carbon_stock_20yrs_2_units,
          state.management2_count,
          state.input2_count,
          state.grassland2} {
    design();
}

void frmmaster::design() {
    set_key_preview(true);
    const forms::Rgb blue = forms::kBlue;
    const forms::Rgb green = forms::kDarkGreen;

    apply_look({&Label1}, kTitleFont, std::nullopt);
    Label1.set_alignment(forms::Alignment::kCenter);
    apply_look({&Label2}, kValueFont, blue);
    apply_look({&country, &climate_region, &soiltype}, kSiteListFont, blue);
    apply_look({&country_label, &climate_region_label, &soiltype_label, &carbon_stock_label,
                &carbon_stock_units},
               kCaptionFont, blue);
    apply_look({&carbon_stock}, kValueFont, blue);
    apply_look({&Label5, &Label6}, kHeadingFont, std::nullopt);
    Label5.set_fore_colour(blue);
    Label6.set_fore_colour(green);
    apply_look({&system1_label, &management1_label, &management_factor1_label, &inputs1_label,
                &input_factor1_label, &base_factor1_label, &carbon_stock_20yrs_1_label,
                &carbon_stock_20yrs_1_units},
               kCaptionFont, blue);
    apply_look({&system1, &Management1, &management_factor1, &Input1, &input_factor1, &base_factor1,
                &carbon_stock_20yrs_1},
               kValueFont, blue);
    apply_look({&system2_label, &management2_label, &management_factor2_label, &inputs2_label,
                &input_factor2_label, &base_factor2_label, &carbon_stock_20yrs_2_label,
                &carbon_stock_20yrs_2_units},
               kCaptionFont, green);
    apply_look({&system2, &Management2, &management_factor2, &Input2, &input_factor2, &base_factor2,
                &carbon_stock_20yrs_2},
               kValueFont, green);
    apply_look({&Line1, &Line2, &Line3, &Line4}, kValueFont, blue);
    apply_look({&Line5, &Line6, &Line7, &Line8}, kValueFont, green);
    apply_look({&Sequestration_Potential_label, &Sequestration_Potential_units}, kCaptionFont,
               blue);
    apply_look({&Sequestration_Potential}, kValueFont, blue);
    apply_look({&soiltype_fao, &soiltype_usda, &cmdHelp, &Exit, &cmdMgmtFactors, &cmdc_stocks,
                &cmdSystems, &cmdInputFactors},
               kButtonFont, std::nullopt);
    apply_look({&fraDefaults}, kSiteListFont, std::nullopt);
    for (Button* button : {&cmdMgmtFactors, &cmdc_stocks, &cmdSystems, &cmdInputFactors}) {
        button->set_container(fraDefaults);
    }

    set_help_context_id({&country}, 1000);
    set_help_context_id({&climate_region}, 1001);
    set_help_context_id({&soiltype}, 1002);
    set_help_context_id({&system1, &system2, &soiltype_fao}, 1003);
    set_help_context_id({&Management1, &Management2, &management_factor1, &management_factor2},
                        1004);
    set_help_context_id({&Input1, &Input2, &input_factor1, &input_factor2}, 1005);
    set_help_context_id({&base_factor1, &base_factor2}, 1006);
    set_help_context_id({&carbon_stock_20yrs_1, &carbon_stock_20yrs_2}, 1007);
    set_help_context_id({&carbon_stock}, 1008);
    set_help_context_id({&Sequestration_Potential}, 1009);

    name_after(country, country_label);
    name_after(climate_region, climate_region_label);
    name_after(soiltype, soiltype_label);
    name_after(carbon_stock, carbon_stock_label);
    for (auto [column, prefix] : {std::pair{&from_, "FROM "}, std::pair{&to_, "TO "}}) {
        name_after(column->system, column->system_label, prefix);
        name_after(column->management_factor, column->management_factor_label, prefix);
        name_after(column->input_factor, column->input_factor_label, prefix);
        name_after(column->base_factor, column->base_factor_label, prefix);
        name_after(column->carbon_stock_20yrs, column->carbon_stock_20yrs_label, prefix);
    }
    name_after(Management1, management1_label, "FROM ");
    name_after(Management2, management2_label, "TO ");
    name_after(Input1, inputs1_label, "FROM ");
    name_after(Input2, inputs2_label, "TO ");
    name_after(Sequestration_Potential, Sequestration_Potential_label);

    // Disabled when the form is created; the load disables the rest of the dependent controls.
    forms::set_enabled({&system1, &system2, &base_factor1, &base_factor2, &carbon_stock_20yrs_1,
                        &carbon_stock_20yrs_2, &Sequestration_Potential},
                       false);

    set_tab_order({&country,
                   &climate_region,
                   &soiltype,
                   &soiltype_fao,
                   &soiltype_usda,
                   &carbon_stock,
                   &system1,
                   &Management1,
                   &management_factor1,
                   &Input1,
                   &input_factor1,
                   &base_factor1,
                   &carbon_stock_20yrs_1,
                   &system2,
                   &Management2,
                   &management_factor2,
                   &Input2,
                   &input_factor2,
                   &base_factor2,
                   &carbon_stock_20yrs_2,
                   &Sequestration_Potential,
                   &Exit,
                   &cmdHelp,
                   &cmdMgmtFactors,
                   &cmdc_stocks,
                   &cmdInputFactors,
                   &cmdSystems});

    country.Click = [this] { country_Click(); };
    climate_region.Click = [this] { climate_region_Click(); };
    soiltype.Click = [this] { soiltype_Click(); };
    system1.Click = [this] { system1_Click(); };
    system2.Click = [this] { system2_Click(); };
    Management1.Click = [this] { Management1_Click(); };
    Management2.Click = [this] { Management2_Click(); };
    Input1.Click = [this] { Input1_Click(); };
    Input2.Click = [this] { Input2_Click(); };
    Exit.Click = [this] { Exit_Click(); };
    soiltype_fao.Click = [this] { soiltype_fao_Click(); };
    soiltype_usda.Click = [this] { soiltype_usda_Click(); };
    cmdMgmtFactors.Click = [this] { cmdMgmtFactors_Click(); };
    cmdc_stocks.Click = [this] { cmdc_stocks_Click(); };
    cmdSystems.Click = [this] { cmdSystems_Click(); };
    cmdInputFactors.Click = [this] { cmdInputFactors_Click(); };
    carbon_stock.Change = [this] { carbon_stock_Change(); };
    base_factor1.Change = [this] { base_factor1_Change(); };
    base_factor2.Change = [this] { base_factor2_Change(); };
    management_factor1.Change = [this] { management_factor1_Change(); };
    management_factor2.Change = [this] { management_factor2_Change(); };
    input_factor1.Change = [this] { input_factor1_Change(); };
    input_factor2.Change = [this] { input_factor2_Change(); };

    // Results are computed, never typed; they can still be selected and copied.
    for (TextBox* result : {&carbon_stock_20yrs_1, &carbon_stock_20yrs_2, &Sequestration_Potential})
        result->set_locked(true);
    design_context_help();
}

void frmmaster::Form_Load() {
    program().set_help_file(program().host().help_file());
    trapped({}, [this] {
        forms::set_enabled({&system1,
                            &system1_label,
                            &input_factor1,
                            &input_factor1_label,
                            &management_factor1,
                            &management_factor1_label,
                            &base_factor1,
                            &base_factor1_label,
                            &carbon_stock_20yrs_1,
                            &carbon_stock_20yrs_1_label,
                            &carbon_stock_20yrs_1_units,
                            &system2,
                            &system2_label,
                            &input_factor2,
                            &input_factor2_label,
                            &management_factor2,
                            &management_factor2_label,
                            &base_factor2,
                            &base_factor2_label,
                            &carbon_stock_20yrs_2,
                            &carbon_stock_20yrs_2_label,
                            &carbon_stock_20yrs_2_units},
                           false);

        const std::string database = program().host().database_file();
        database_.SoilCarbonConnection = std::make_unique<recordset::Connection>();
        database_.SoilCarbonRecordset = std::make_unique<recordset::Recordset>();
        database_.SoilCarbonConnection->set_cursor_location(recordset::CursorLocation::kClient);
        if (auto note = db::convert_access_database(database))
            program().msg_box(*note);
        database_.SoilCarbonConnection->open(database);
        // A damaged file is refused here, as the batch refuses it, rather than read in part.
        sqlite::require_intact(database_.SoilCarbonConnection->database());

        fill_lists(
            {&country}, [this]() -> auto& { return tables_.countries(); });
        climate_region.clear();
        climate_region.add_item("(Please specify a country)");
        fill_lists(
            {&soiltype}, [this]() -> auto& { return tables_.soil_types(); });

        carbon_stock.set_text("");
        forms::set_enabled({&carbon_stock, &carbon_stock_label, &carbon_stock_units}, false);
        for (forms::ListBox* list : {&system1, &system2}) {
            list->clear();
            list->add_item("(Please specify a country ");
            list->add_item("and climate region)");
        }
    });
}

void frmmaster::Form_Unload(bool& cancel) {
    recordset::Recordset* result_set = database_.SoilCarbonRecordset.get();
    if (!result_set || result_set->state() != recordset::ObjectState::kOpen) {
        // A data form that could not save what was typed keeps the program, and so the
        // calculator, open.
        cancel = !program().request_end();
        return;
    }
    // A query was left open by a failure: release the database and let only the calculator
    // close; the frame stays until the user closes it.
    result_set->close();
    database_.SoilCarbonConnection->close();
    database_.SoilCarbonRecordset.reset();
    database_.SoilCarbonConnection.reset();
}

void frmmaster::reload() {
    database_.SoilCarbonRecordset.reset();
    database_.SoilCarbonConnection.reset();
    state_ = CalculatorState{};
    for (ListBox* list : {&country, &climate_region, &soiltype, &system1, &system2, &Management1,
                          &Management2, &Input1, &Input2}) {
        list->clear();
    }
    for (TextBox* box : {&carbon_stock, &management_factor1, &management_factor2, &input_factor1,
                         &input_factor2, &base_factor1, &base_factor2, &carbon_stock_20yrs_1,
                         &carbon_stock_20yrs_2, &Sequestration_Potential}) {
        box->set_text("");
    }
    forms::set_enabled({&Sequestration_Potential, &carbon_stock_20yrs_1, &carbon_stock_20yrs_2},
                       false);
    forms::set_enabled({&Sequestration_Potential_label, &Sequestration_Potential_units}, true);
    Form_Load();
}

void frmmaster::Exit_Click() { program().request_end(); }

void frmmaster::soiltype_fao_Click() { open_taxon_form(soiltype_fao, TaxonList::kWrb); }
void frmmaster::soiltype_usda_Click() { open_taxon_form(soiltype_usda, TaxonList::kUsda); }

void frmmaster::open_taxon_form(Button& button, TaxonList list) {
    trapped({.focus = &button}, [this, list] { data_windows_.show_taxon_form(list); });
}

void frmmaster::cmdMgmtFactors_Click() {
    data_windows_.show_defaults_warning(DefaultTable::kManagementFactors);
}
void frmmaster::cmdc_stocks_Click() { data_windows_.show_defaults_warning(DefaultTable::kCStocks); }
void frmmaster::cmdSystems_Click() { data_windows_.show_defaults_warning(DefaultTable::kSystems); }
void frmmaster::cmdInputFactors_Click() {
    data_windows_.show_defaults_warning(DefaultTable::kInputFactors);
}

void frmmaster::trapped(const Trap& trap, const std::function<void()>& body) {
    try {
        body();
    } catch (const Failure& failure) {
        if (trap.blank)
            trap.blank();
        if (trap.quiet) {
            if (database_.SoilCarbonConnection)
                database_.SoilCarbonConnection->errors().clear();
            return;
        }
        ReportConnectionErrors(program(), database_.SoilCarbonConnection.get(), failure);
        if (trap.focus)
            trap.focus->set_focus();
    }
}

void frmmaster::fill_lists(std::initializer_list<forms::ListBox*> lists,
                           const std::function<const engine::NameList&()>& read) {
    for (forms::ListBox* list : lists)
        list->clear();
    const engine::NameList& items = read();
    if (items.empty())
        throw failures::no_current_record();
    for (const std::string& text : items.texts) {
        for (forms::ListBox* list : lists)
            list->add_item(text);
    }
}

std::string frmmaster::box_text(const engine::StoredValue& value) {
    switch (value.kind) {
        case engine::StoredValue::Kind::kNoRow:
            throw failures::no_current_record();
        case engine::StoredValue::Kind::kNull:
            throw failures::invalid_use_of_null();
        case engine::StoredValue::Kind::kText:
            break;
    }
    return value.text;
}

double frmmaster::leading_number(const std::string& text) const {
    return numbers::leading_number(text, separator_);
}

}  // namespace humo::calculator
