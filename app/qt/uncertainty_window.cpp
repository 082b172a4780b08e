#include "uncertainty_window.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "module1.h"
#include "number_text.h"
#include "results_actions.h"

namespace humo::app {
namespace {

const char* const kRowTitles[] = {"FROM predicted stock", "TO predicted stock",
                                  "Annual carbon stock change"};
const char* const kUnits[] = {"MgC/ha", "MgC/ha", "MgC/ha/yr"};

QLabel* value_label(QWidget* parent, const QString& name) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    return label;
}

}  // namespace

UncertaintyWindow::UncertaintyWindow(Module1& module, QWidget* parent)
    : QDialog(parent), module_(module) {
    setObjectName("uncertaintyRanges");
    setWindowTitle("Uncertainty ranges");
    auto* layout = new QVBoxLayout(this);

    message_ = value_label(this, "message");
    message_->setWordWrap(true);
    layout->addWidget(message_);

    auto* table = new QGridLayout;
    const char* const headers[] = {"Shown", "95% range", "±"};
    for (int column = 0; column < 3; ++column) {
        auto* header = new QLabel(headers[column], this);
        header->setStyleSheet("font-weight: bold");
        table->addWidget(header, 0, column + 1);
    }
    for (int row = 0; row < 3; ++row) {
        table->addWidget(new QLabel(kRowTitles[row], this), row + 1, 0);
        for (int column = 0; column < 3; ++column) {
            cells_[row][column] = value_label(this, QString("cell%1%2").arg(row).arg(column));
            table->addWidget(cells_[row][column], row + 1, column + 1);
        }
    }
    table->setColumnStretch(2, 1);
    layout->addLayout(table);

    histogram_ = new ChangeHistogram(this);
    layout->addWidget(histogram_, 1);

    auto* choices = new QHBoxLayout;
    iterations_ = new QSpinBox(this);
    iterations_->setObjectName("iterations");
    iterations_->setRange(1, static_cast<int>(engine::Simulation::kMaxIterations));
    iterations_->setSingleStep(1000);
    iterations_->setValue(static_cast<int>(module.uncertainty_choices().iterations));
    seed_ = new QSpinBox(this);
    seed_->setObjectName("seed");
    seed_->setRange(0, INT32_MAX);
    seed_->setValue(static_cast<int>(module.uncertainty_choices().seed));
    auto* iterations_label = new QLabel("&Iterations:", this);
    iterations_label->setBuddy(iterations_);
    auto* seed_label = new QLabel("&Seed:", this);
    seed_label->setBuddy(seed_);
    choices->addWidget(iterations_label);
    choices->addWidget(iterations_);
    choices->addSpacing(12);
    choices->addWidget(seed_label);
    choices->addWidget(seed_);
    choices->addStretch(1);
    layout->addLayout(choices);
    // Typing a number draws once it is complete, not at each digit.
    iterations_->setKeyboardTracking(false);
    seed_->setKeyboardTracking(false);
    connect(iterations_, &QSpinBox::valueChanged, this, [this](int value) {
        module_.uncertainty_choices().iterations = value;
        refresh();
    });
    connect(seed_, &QSpinBox::valueChanged, this, [this](int value) {
        module_.uncertainty_choices().seed = static_cast<uint64_t>(value);
        refresh();
    });

    not_covered_ = value_label(this, "notCovered");
    not_covered_->setWordWrap(true);
    layout->addWidget(not_covered_);
    method_ = new QLabel(report::kRangesMethod, this);
    method_->setWordWrap(true);
    layout->addWidget(method_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    layout->addWidget(buttons);
    resize(560, 560);
    module_.program().add_action_observer(*this);
}

UncertaintyWindow::~UncertaintyWindow() { module_.program().remove_action_observer(*this); }

void UncertaintyWindow::action_finished() {
    if (isVisible() && !refreshing_)
        refresh();
}

void UncertaintyWindow::show_blank(const QString& why) {
    message_->setText(why);
    message_->setVisible(true);
    for (auto& row : cells_)
        for (QLabel* cell : row)
            cell->clear();
    histogram_->show_ranges({}, 0, 0, {});
    not_covered_->clear();
}

void UncertaintyWindow::refresh() {
    refreshing_ = true;
    report::CalculationRanges ranges;
    const forms::Refusal refusal = uncertainty_ranges(module_, ranges);
    refreshing_ = false;
    if (refusal) {
        show_blank(*refusal == "no results" || *refusal == "calculator not loaded"
                       ? "No ranges: the calculator shows no predicted stocks."
                       : QString::fromStdString("No ranges: " + *refusal + "."));
        return;
    }
    message_->setText(QString::fromStdString(ranges.note));
    message_->setVisible(!ranges.note.empty());
    const report::RangeShown* rows[] = {&ranges.from_stock, &ranges.to_stock, &ranges.change};
    for (int row = 0; row < 3; ++row) {
        const report::RangeShown& shown = *rows[row];
        const QString units = QString(" ") + kUnits[row];
        cells_[row][0]->setText(QString::fromStdString(shown.value) + units);
        cells_[row][1]->setText(QString::fromStdString(shown.low + " to " + shown.high) + units);
        cells_[row][2]->setText(QString::fromStdString(shown.half_width));
    }
    const numbers::DecimalSeparator separator = module_.program().host().decimal_separator();
    histogram_->show_ranges(ranges.change_histogram,
                            numbers::leading_number(ranges.change.low, separator),
                            numbers::leading_number(ranges.change.high, separator), separator);
    not_covered_->setText(QString::fromStdString(report::not_covered_text(ranges)));
}

}  // namespace humo::app
