#include "history_window.h"

#include <QApplication>
#include <QClipboard>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QShortcut>
#include <QSplitter>
#include <QVBoxLayout>

#include "carbon_arithmetic.h"
#include "choice_list.h"
#include "entries_change.h"
#include "history_actions.h"
#include "history_pdf.h"
#include "history_rules.h"
#include "land_use_history.h"
#include "module1.h"

namespace humo::app {
namespace {

const char* const kTitle = "Land-use history";

QString q(const std::string& text) { return QString::fromStdString(text); }

QLabel* note_label(QWidget* parent, const QString& name, const QString& style) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    label->setStyleSheet(style);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    return label;
}

QComboBox* site_list(QWidget* parent, const QString& name) {
    auto* list = new QComboBox(parent);
    list->setObjectName(name);
    list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    return list;
}

void show_text(QLineEdit* box, const std::string& text) {
    if (box->text() != q(text))
        box->setText(q(text));
}

void show_number(QSpinBox* box, int value) {
    const QSignalBlocker quiet(box);
    box->setValue(value);
}

}  // namespace

HistoryWindow::HistoryWindow(Module1& module, FileChooser& files, QWidget* parent)
    : QDialog(parent), module_(module), files_(files), undo_(new QUndoStack(this)) {
    setObjectName("landUseHistory");
    setWindowTitle(kTitle);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(site_box());
    layout->addWidget(regimes_box());
    layout->addLayout(years_row());
    error_ = note_label(this, "historyError", "color: #b00000; font-weight: bold");
    assumption_ = note_label(this, "assumption", "");
    warning_ = note_label(this, "shortStartWarning", "color: #a05000");
    for (QLabel* note : {error_, assumption_, warning_})
        layout->addWidget(note);

    auto* results = new QSplitter(this);
    auto* table_box = new QGroupBox("Stock &by year", results);
    years_table_ = new YearTable(table_box);
    (new QVBoxLayout(table_box))->addWidget(years_table_);
    chart_ = new HistoryChartView(results);
    results->addWidget(table_box);
    results->addWidget(chart_);
    results->setStretchFactor(1, 1);
    results->setSizes({580, 420});
    layout->addWidget(results, 1);
    auto* method = new QLabel(report::kHistoryMethod, this);
    method->setWordWrap(true);
    layout->addWidget(method);
    layout->addLayout(buttons_row());

    QAction* undo = undo_->createUndoAction(this, "&Undo");
    undo->setShortcuts(QKeySequence::Undo);
    QAction* redo = undo_->createRedoAction(this, "&Redo");
    redo->setShortcuts(QKeySequence::Redo);
    addActions({undo, redo});
    connect(undo_button_, &QPushButton::clicked, undo, &QAction::trigger);
    connect(undo_, &QUndoStack::canUndoChanged, undo_button_, &QWidget::setEnabled);
    // The stack still speaks while the window's children are deleted: the button alone is
    // captured, and the connection ends with it.
    connect(undo_, &QUndoStack::undoTextChanged, undo_button_,
            [button = undo_button_](const QString& what) {
                button->setToolTip("Undo: " + what + " (Ctrl+Z)");
            });
    undo_button_->setEnabled(false);
    resize(1040, 800);
}

QWidget* HistoryWindow::site_box() {
    auto* box = new QGroupBox("Site", this);
    auto* grid = new QGridLayout(box);
    site_name_ = new QLineEdit(box);
    site_name_->setObjectName("siteName");
    site_name_->setPlaceholderText("any name for the land unit");
    country_ = site_list(box, "country");
    climate_region_ = site_list(box, "climateRegion");
    soil_type_ = site_list(box, "soilType");
    carbon_stock_ = new QLineEdit(box);
    carbon_stock_->setObjectName("carbonStock");
    carbon_stock_->setPlaceholderText("the table's");
    area_ = new QLineEdit(box);
    area_->setObjectName("area");
    area_->setPlaceholderText("no totals");
    auto add = [&](int row, int column, const QString& label, QWidget* field) {
        auto* caption = new QLabel(label, box);
        caption->setBuddy(field);
        grid->addWidget(caption, row, column * 2);
        grid->addWidget(field, row, column * 2 + 1);
    };
    add(0, 0, "&Land unit:", site_name_);
    add(0, 1, "C&ountry:", country_);
    add(0, 2, "Climate &region:", climate_region_);
    add(1, 0, "&Soil type:", soil_type_);
    add(1, 1, "Own reference stoc&k (MgC/ha):", carbon_stock_);
    add(1, 2, "&Area (ha):", area_);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(5, 1);

    connect(site_name_, &QLineEdit::editingFinished, this, [this] {
        edit("Land unit",
             [&](LandUseHistory& h) { h.set_site_name(site_name_->text().toStdString()); });
    });
    connect(carbon_stock_, &QLineEdit::editingFinished, this, [this] {
        edit("Reference stock",
             [&](LandUseHistory& h) { h.set_carbon_stock(carbon_stock_->text().toStdString()); });
    });
    connect(area_, &QLineEdit::editingFinished, this, [this] {
        edit("Area", [&](LandUseHistory& h) { h.set_area(area_->text().toStdString()); });
    });
    connect(country_, &QComboBox::textActivated, this, [this](const QString& name) {
        edit("Country", [&](LandUseHistory& h) { h.set_country(name.toStdString()); });
    });
    connect(climate_region_, &QComboBox::textActivated, this, [this](const QString& name) {
        edit("Climate region",
             [&](LandUseHistory& h) { h.set_climate_region(name.toStdString()); });
    });
    connect(soil_type_, &QComboBox::textActivated, this, [this](const QString& name) {
        edit("Soil type", [&](LandUseHistory& h) { h.set_soil_type(name.toStdString()); });
    });
    return box;
}

QWidget* HistoryWindow::regimes_box() {
    auto* box = new QGroupBox("Re&gimes", this);
    auto* layout = new QVBoxLayout(box);
    regimes_ =
        new RegimeTable({[this](int regime, int year) { set_year(regime, year); },
                         [this](int regime, RegimeTable::Column column, const QString& name) {
                             pick_in_regime(regime, column, name);
                         }},
                        box);
    layout->addWidget(regimes_);
    auto* buttons = new QHBoxLayout;
    add_ = new QPushButton("A&dd regime", box);
    add_->setObjectName("addRegime");
    add_->setToolTip("Adds a regime the year after the last one (Insert)");
    remove_ = new QPushButton("Re&move regime", box);
    remove_->setObjectName("removeRegime");
    remove_->setToolTip("Removes the regime you are in (Delete); Ctrl+Z brings it back");
    undo_button_ = new QPushButton("&Undo", box);
    undo_button_->setObjectName("undo");
    for (QPushButton* button : {add_, remove_, undo_button_})
        buttons->addWidget(button);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    connect(add_, &QPushButton::clicked, this, &HistoryWindow::add_regime);
    connect(remove_, &QPushButton::clicked, this, &HistoryWindow::remove_regime);
    // In a cell, Insert adds a regime and Delete removes the cell's own; a year being typed
    // keeps Delete for itself.
    auto* insert = new QShortcut(QKeySequence(Qt::Key_Insert), regimes_);
    insert->setContext(Qt::WidgetWithChildrenShortcut);
    connect(insert, &QShortcut::activated, this, &HistoryWindow::add_regime);
    auto* remove = new QShortcut(QKeySequence::Delete, regimes_);
    remove->setContext(Qt::WidgetWithChildrenShortcut);
    connect(remove, &QShortcut::activated, this, &HistoryWindow::remove_regime);
    return box;
}

QLayout* HistoryWindow::years_row() {
    auto* row = new QHBoxLayout;
    from_ = new QSpinBox(this);
    from_->setObjectName("fromYear");
    to_ = new QSpinBox(this);
    to_->setObjectName("toYear");
    for (QSpinBox* year : {from_, to_})
        year->setRange(engine::kFirstYear, engine::kLastYear + engine::kYears);
    every_ = new QSpinBox(this);
    every_->setObjectName("everyYears");
    every_->setRange(1, 100);
    default_years_ = new QPushButton("Default &years", this);
    default_years_->setToolTip(
        "From the first year to twenty years after the last change, "
        "every year");
    row->addWidget(new QLabel("Years shown:", this));
    for (auto [label, box] : {std::pair{"&From:", from_}, {"&To:", to_}, {"&Every:", every_}}) {
        auto* caption = new QLabel(label, this);
        caption->setBuddy(box);
        row->addWidget(caption);
        row->addWidget(box);
        // A year counts once it is typed whole.
        box->setKeyboardTracking(false);
    }
    row->addWidget(new QLabel("years", this));
    row->addWidget(default_years_);
    row->addStretch(1);
    auto years = [this](std::optional<int> from, std::optional<int> to, int every) {
        edit("Years shown", [&](LandUseHistory& h) { h.set_years(from, to, every); });
    };
    connect(from_, &QSpinBox::valueChanged, this,
            [this, years](int from) { years(from, history().entries().to, every_->value()); });
    connect(to_, &QSpinBox::valueChanged, this,
            [this, years](int to) { years(history().entries().from, to, every_->value()); });
    connect(every_, &QSpinBox::valueChanged, this, [this, years](int every) {
        years(history().entries().from, history().entries().to, every);
    });
    connect(default_years_, &QPushButton::clicked, this,
            [years] { years(std::nullopt, std::nullopt, 1); });
    return row;
}

QLayout* HistoryWindow::buttons_row() {
    auto* row = new QHBoxLayout;
    save_ = new QPushButton("Save re&port…", this);
    save_->setObjectName("saveReport");
    copy_ = new QPushButton("&Copy", this);
    copy_->setObjectName("copy");
    copy_->setToolTip("Copies the table as tab-separated text with the batch's column names");
    help_ = new QPushButton("&Help", this);
    close_ = new QPushButton("Close", this);
    // Enter in a box commits what was typed there, never presses a button.
    for (QPushButton* button :
         {save_, copy_, help_, close_, add_, remove_, undo_button_, default_years_})
        button->setAutoDefault(false);
    row->addWidget(save_);
    row->addWidget(copy_);
    row->addStretch(1);
    row->addWidget(help_);
    row->addWidget(close_);
    connect(save_, &QPushButton::clicked, this, &HistoryWindow::save_report);
    connect(copy_, &QPushButton::clicked, this, &HistoryWindow::copy);
    connect(close_, &QPushButton::clicked, this, &QDialog::close);
    auto help = [this] {
        forms::Host& host = module_.program().host();
        host.html_help("landUseHistory", host.help_file() + "::/topics/history.htm",
                       forms::kHelpDisplayTopic, 0);
    };
    connect(help_, &QPushButton::clicked, this, help);
    connect(new QShortcut(QKeySequence::HelpContents, this), &QShortcut::activated, this, help);
    return row;
}

LandUseHistory& HistoryWindow::history() { return module_.land_use_history(); }

void HistoryWindow::refresh() {
    history_on_fresh_tables(module_);
    show_history();
}

void HistoryWindow::edit(const QString& what, const std::function<void(LandUseHistory&)>& change) {
    report::HistoryEntries before = history().entries();
    change(history());
    if (history().entries() != before) {
        undo_->push(new EntriesChange(
            what, std::move(before), history().entries(),
            [this](const report::HistoryEntries& entries) { put_back(entries); }));
    }
    show_history();
}

void HistoryWindow::put_back(const report::HistoryEntries& entries) {
    history().restore(entries);
    show_history();
}

void HistoryWindow::commit_typing() {
    for (QLineEdit* box : {site_name_, carbon_stock_, area_}) {
        if (box->isModified()) {
            box->setModified(false);
            emit box->editingFinished();
        }
    }
}

void HistoryWindow::hideEvent(QHideEvent* event) {
    commit_typing();
    QDialog::hideEvent(event);
}

void HistoryWindow::pick_in_regime(int regime, RegimeTable::Column column, const QString& name) {
    const auto at = static_cast<size_t>(regime);
    const std::string picked = name.toStdString();
    switch (column) {
        case RegimeTable::kLandUse:
            edit("Land use", [&](LandUseHistory& h) { h.set_land_use(at, picked); });
            break;
        case RegimeTable::kManagement:
            edit("Management", [&](LandUseHistory& h) { h.set_management(at, picked); });
            break;
        default:
            edit("Input", [&](LandUseHistory& h) { h.set_input(at, picked); });
            break;
    }
}

void HistoryWindow::set_year(int regime, int year) {
    const auto focused = regimes_->focused_cell();
    size_t placed = 0;
    edit("First year",
         [&](LandUseHistory& h) { placed = h.set_year(static_cast<size_t>(regime), year); });
    const int moved = static_cast<int>(placed);
    // A year typed and left for the Remove button removes the regime it was typed into.
    if (regimes_->current_regime() == regime)
        regimes_->set_current_regime(moved);
    if (!focused)
        return;
    // The regime moved to its year's place and those between moved up or down by one: the
    // focus stays with the regime it was in.
    int row = focused->first;
    if (row == regime)
        row = moved;
    else if (regime < row && row <= moved)
        --row;
    else if (moved <= row && row < regime)
        ++row;
    if (row != focused->first)
        regimes_->focus_cell(row, focused->second);
}

void HistoryWindow::add_regime() {
    size_t added = 0;
    edit("Add regime", [&](LandUseHistory& h) { added = h.add_regime(); });
    regimes_->focus_cell(static_cast<int>(added), RegimeTable::kYear);
}

void HistoryWindow::remove_regime() {
    if (regimes_->rowCount() == 0)
        return;
    // The regime the user is in, else the last.
    int regime = regimes_->current_regime();
    if (regime < 0 || regime >= regimes_->rowCount())
        regime = regimes_->rowCount() - 1;
    edit("Remove regime", [&](LandUseHistory& h) { h.remove_regime(static_cast<size_t>(regime)); });
    if (regimes_->rowCount() > 0)
        regimes_->focus_cell(std::min(regime, regimes_->rowCount() - 1), RegimeTable::kLandUse);
    else
        add_->setFocus();
}

void HistoryWindow::copy() {
    commit_typing();
    std::string text;
    if (forms::Refusal refusal = copy_history(module_, text)) {
        tell("Nothing was copied: " + *refusal + ".", "Copy");
        return;
    }
    QGuiApplication::clipboard()->setText(q(text));
}

void HistoryWindow::save_report() {
    commit_typing();
    const std::optional<std::string> path =
        pdf_to_save(files_, this, "Save the history's report", "humo-history");
    if (!path)
        return;
    if (forms::Refusal refusal = save_history_report(module_, *path, report::write_history_pdf))
        tell("The report was not saved: " + *refusal + ".", "Save report");
}

void HistoryWindow::tell(const std::string& text, const std::string& title) {
    module_.program().msg_box(text, forms::MsgBoxButtons::kOk, forms::MsgBoxIcon::kExclamation,
                              title);
}

QString HistoryWindow::notes() const {
    QStringList lines;
    for (const QLabel* note : {error_, assumption_, warning_}) {
        if (!note->isHidden())
            lines << note->text();
    }
    return lines.join("\n");
}

void HistoryWindow::show_history() {
    const report::HistoryReport& report = history().report();
    show_site();
    regimes_->show_regimes(history());
    remove_->setEnabled(!report.entries.regimes.empty());
    show_years();
    error_->setText(report.usable() ? QString()
                                    : q(report::sentence(report::history_error_text(report))));
    assumption_->setText(q(report.assumption));
    warning_->setText(report.warning.empty() ? QString() : q("Warning: " + report.warning));
    for (QLabel* note : {error_, assumption_, warning_})
        note->setHidden(note->text().isEmpty());
    chart_->show_chart(report.chart);
    save_->setEnabled(report.usable());
    copy_->setEnabled(report.usable());
    order_tabs();
}

void HistoryWindow::show_site() {
    const report::HistoryEntries& entries = history().entries();
    show_text(site_name_, entries.site_name);
    show_choices(country_, history().countries(), entries.country);
    show_choices(climate_region_, history().climate_regions(), entries.climate_region);
    show_choices(soil_type_, history().soil_types(), entries.soil_type);
    show_text(carbon_stock_, entries.carbon_stock);
    show_text(area_, entries.area_ha);
}

void HistoryWindow::show_years() {
    const report::HistoryReport& report = history().report();
    const bool any = !report.entries.regimes.empty();
    for (QSpinBox* box : {from_, to_, every_})
        box->setEnabled(any);
    if (any) {
        show_number(from_, report.from);
        show_number(to_, report.to);
    }
    show_number(every_, report.entries.every);

    years_table_->show_years(report);
}

void HistoryWindow::order_tabs() {
    std::vector<QWidget*> chain = {site_name_, country_,      climate_region_,
                                   soil_type_, carbon_stock_, area_};
    for (QWidget* cell : regimes_->cells_in_order())
        chain.push_back(cell);
    chain.insert(chain.end(), {add_, remove_, undo_button_, from_, to_, every_, default_years_,
                               years_table_, save_, copy_, help_, close_});
    for (size_t i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
}

}  // namespace humo::app
