#pragma once

#include <array>
#include <optional>
#include <string>

#include "appearance.h"

namespace humo::maintenance {

// What sets one data form apart from the others. Sizes are in twips.
struct DataFormDesign {
    std::string name;
    std::string caption;
    std::string query;
    forms::Size inner_size;

    // The taxon forms edit their rows and pick one; the default-table browsers only browse.
    struct Editing {
        // The classification every row written by this form belongs to ("WRB", "USDA").
        std::string classification;
        int button_bar_height = 0;
        forms::Rect instruction;
        int buttons_top = 0;
        // Add, Edit, Delete, Refresh, Close.
        std::array<int, 5> command_lefts{};
        // Update, Cancel.
        std::array<int, 2> update_cancel_lefts{};
        int status_left = 0;
    };
    std::optional<Editing> editing;
};

const DataFormDesign& wrb_taxon_form();
const DataFormDesign& usda_taxon_form();
const DataFormDesign& c_stocks_browser();
const DataFormDesign& input_factor_browser();
const DataFormDesign& management_factor_browser();
const DataFormDesign& systems_browser();

}  // namespace humo::maintenance
