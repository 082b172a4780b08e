#pragma once

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "default_database.h"
#include "file_locations.h"
#include "fixture_paths.h"
#include "frmmaster.h"
#include "module1.h"
#include "program.h"
#include "recording_host.h"
#include "temp_dir.h"

namespace humo::testing {

// The program started on a database of the test's own and continued to the calculator.
class CalculatorSession {
public:
    // `database_sql` fills the empty tables; pass no SQL to leave the database file missing.
    explicit CalculatorSession(const std::optional<std::string>& database_sql, char separator = '.')
        : host(db::files_beside(dir.path().string()), {separator}) {
        if (database_sql)
            db::create_database(dir.file("humo_tool.mdb"), *database_sql);
    }

    void start_calculator() {
        module.Main();
        module.frmSplash().Continue1.user_click();
    }

    calculator::frmmaster& calc() { return module.frmmaster(); }

    // The user clicks the item with exactly this text.
    void pick(forms::ListBox& list, const std::string& text) {
        const auto& items = list.items();
        const auto found = std::find(items.begin(), items.end(), text);
        ASSERT_NE(found, items.end()) << list.name() << " has no item '" << text << "'";
        EXPECT_FALSE(list.user_select(static_cast<int>(found - items.begin())));
    }

    // The README's example on the shipped defaults: Kenya, Tropical Dry, from long-term
    // cultivation with full tillage and medium input to improved grassland with high input.
    // FROM's and TO's land use, management and input, picked in the calculator's order.
    using SystemPicks = std::array<std::string, 3>;
    void pick_systems(const SystemPicks& from, const SystemPicks& to) {
        calculator::frmmaster& c = calc();
        for (auto [lists, picks] :
             {std::pair{std::array{&c.system1, &c.Management1, &c.Input1}, &from},
              std::pair{std::array{&c.system2, &c.Management2, &c.Input2}, &to}}) {
            for (size_t i = 0; i < lists.size(); ++i)
                pick(*lists[i], (*picks)[i]);
        }
    }

    void pick_kenya_example() {
        calculator::frmmaster& c = calc();
        pick(c.country, "Kenya");
        pick(c.climate_region, "Tropical Dry");
        pick_systems({"Long-term cultivated", "Full tillage", "Medium"},
                     {"Grassland", "Improved", "High"});
    }

    void type(forms::TextBox& box, const std::string& text) {
        EXPECT_FALSE(box.user_type(text)) << box.name();
    }

    std::vector<std::string> messages() const { return host.message_texts(); }

    TempDir dir;
    forms::RecordingHost host;
    forms::Program program{host, "humo_tool"};
    app::Module1 module{program};
};

// What a user sees of a control: its text, items, selection and enabled state.
inline std::string seen(const forms::Control& control) {
    std::string text =
        control.name() + "[" + (control.enabled() ? "on" : "off") + "] '" + control.text() + "'";
    if (auto* list = dynamic_cast<const forms::ListBox*>(&control)) {
        text += " {";
        for (const std::string& item : list->items())
            text += item + "|";
        text += "}";
    }
    return text;
}

// An error box's text as the program shows a failure.
inline std::string error_box(int number, const std::string& description,
                             const std::string& source) {
    return "Error Code: " + std::to_string(number) + "\r\nDescription: " + description +
           "\r\nSource: " + source;
}

inline const std::string kNoCurrentRecord =
    "Either BOF or EOF is True, or the current record has been deleted. Requested operation "
    "requires a current record.";

inline std::vector<std::string> seen(std::initializer_list<const forms::Control*> controls) {
    std::vector<std::string> texts;
    for (const forms::Control* control : controls)
        texts.push_back(seen(*control));
    return texts;
}

}  // namespace humo::testing
