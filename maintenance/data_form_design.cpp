#include "data_form_design.h"

namespace humo::maintenance {
namespace {

DataFormDesign browser(std::string name, std::string table, std::string query, int width) {
    return {std::move(name), std::move(table), std::move(query), {width, 4245}, std::nullopt};
}

}  // namespace

const DataFormDesign& wrb_taxon_form() {
    static const DataFormDesign design{
        "frmtbl_soiltype_classification",
        "tbl_soiltype_classification",
        "select taxon,soiltype from tbl_soiltype_classification WHERE fao_usda = 'WRB' Order by "
        "taxon",
        {8655, 4530},
        DataFormDesign::Editing{
            "WRB", 660, {0, 0, 5415, 255}, 360, {59, 1213, 2367, 3521, 4675}, {59, 1215}, 720}};
    return design;
}

const DataFormDesign& usda_taxon_form() {
    static const DataFormDesign design{
        "frmUSDA_classification",
        "tbl_soiltype_classification",
        "select taxon,soiltype from tbl_soiltype_classification WHERE fao_usda = 'USDA' Order by "
        "taxon",
        {7140, 4620},
        DataFormDesign::Editing{"USDA",
                                780,
                                {120, 120, 5655, 255},
                                480,
                                {59, 1200, 2400, 3600, 4800},
                                {59, 1213},
                                690}};
    return design;
}

const DataFormDesign& c_stocks_browser() {
    static const DataFormDesign design = browser(
        "frmc_stocks", "c_stocks",
        "select humoclim,soil_type,c_stock_Mg_ha from c_stocks order by humoclim,soil_type", 7350);
    return design;
}

const DataFormDesign& input_factor_browser() {
    static const DataFormDesign design =
        browser("frmInputFactor", "tbl_input_factors",
                "select climate_region,input_type,grassland_other,input_factor from "
                "tbl_input_factors Order by climate_region,grassland_other, input_type",
                9015);
    return design;
}

const DataFormDesign& management_factor_browser() {
    static const DataFormDesign design =
        browser("frmMgmtFactors", "tbl_management_factors",
                "select climate_region,management_type,grassland_other,management_factor from "
                "tbl_management_factors Order by climate_region,grassland_other,management_type",
                8790);
    return design;
}

const DataFormDesign& systems_browser() {
    static const DataFormDesign design =
        browser("frmSystems", "tbl_systems",
                "select climate_region,system,land_use_factor from tbl_systems Order by "
                "climate_region,system",
                8445);
    return design;
}

}  // namespace humo::maintenance
