#include "calculator_session.h"

#include <algorithm>
#include <stdexcept>

#include "file_locations.h"
#include "qt_renderer.h"

namespace humo::bench {

CalculatorSession::CalculatorSession(const std::string& directory, bool windows)
    : host_(db::files_beside(directory)), program_(host_, "humo_tool"), module_(program_) {
    if (windows)
        renderer_ = std::make_unique<qt::QtRenderer>(program_);
    module_.Main();
    if (auto refusal = module_.frmSplash().Continue1.user_click()) {
        throw std::runtime_error("Continue refused: " + *refusal);
    }
    check_quiet();
    if (!connection())
        throw std::runtime_error("the calculator has no open database");
}

CalculatorSession::~CalculatorSession() = default;

sqlite3* CalculatorSession::connection() {
    const auto& connection = module_.database().SoilCarbonConnection;
    return connection && connection->state() == recordset::ObjectState::kOpen
               ? connection->database().native_handle()
               : nullptr;
}

int CalculatorSession::index_of(const forms::ListBox& list, const std::string& item) {
    const auto& items = list.items();
    const auto found = std::find(items.begin(), items.end(), item);
    if (found == items.end()) {
        throw std::runtime_error(list.name() + " has no item '" + item + "' (" +
                                 std::to_string(items.size()) + " items)");
    }
    return static_cast<int>(found - items.begin());
}

void CalculatorSession::pick(forms::ListBox& list, const std::string& item) {
    pick(list, index_of(list, item));
}

void CalculatorSession::pick(forms::ListBox& list, int index) {
    if (auto refusal = list.user_select(index)) {
        throw std::runtime_error(list.name() + " refused the pick: " + *refusal);
    }
    check_quiet();
}

void CalculatorSession::check_quiet() const {
    if (!host_.messages.empty()) {
        throw std::runtime_error("message box: " + host_.messages.back().text);
    }
    if (program_.ended())
        throw std::runtime_error("the program ended");
}

}  // namespace humo::bench
