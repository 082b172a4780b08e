#pragma once

namespace humo::calculator {

// The soil classification a taxon form lists.
enum class TaxonList { kWrb, kUsda };

// The default tables behind the calculator's "Default Settings" buttons.
enum class DefaultTable { kManagementFactors, kCStocks, kSystems, kInputFactors };

// The windows the calculator opens on the reference data, owned by the program's module.
class DataWindows {
public:
    virtual ~DataWindows() = default;
    // Loads and shows a taxon form; a form whose data cannot be opened fails and stays closed.
    virtual void show_taxon_form(TaxonList list) = 0;
    // Shows the warning in front of a table's browser.
    virtual void show_defaults_warning(DefaultTable table) = 0;
};

}  // namespace humo::calculator
