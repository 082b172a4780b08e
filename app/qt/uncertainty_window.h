#pragma once

#include <QDialog>
#include <QLabel>
#include <QSpinBox>
#include <array>
#include <string>

#include "change_histogram.h"
#include "program.h"

namespace humo::app {

class Module1;

// "Uncertainty ranges": the 95% ranges of the FROM and TO stocks and of the annual change the
// calculator shows, a histogram of the change, the iterations and seed the ranges are drawn
// with, and the values used as exact. It follows the calculator: after each user action it
// draws again, and it is blank while the calculator shows no result.
class UncertaintyWindow : public QDialog, public forms::ActionObserver {
public:
    UncertaintyWindow(Module1& module, QWidget* parent);
    ~UncertaintyWindow() override;

    // Draws the ranges of what the calculator shows now.
    void refresh();

    // What the window shows, by row (FROM stock, TO stock, annual change) and column (shown,
    // 95% range, ±).
    std::string cell(int row, int column) const {
        return cells_[row][column]->text().toStdString();
    }
    std::string message() const { return message_->text().toStdString(); }
    std::string not_covered() const { return not_covered_->text().toStdString(); }
    QSpinBox* iterations() const { return iterations_; }
    QSpinBox* seed() const { return seed_; }
    const ChangeHistogram* histogram() const { return histogram_; }

    void action_finished() override;

private:
    void show_blank(const QString& why);

    Module1& module_;
    QLabel* message_;
    std::array<std::array<QLabel*, 3>, 3> cells_{};
    ChangeHistogram* histogram_;
    QSpinBox* iterations_;
    QSpinBox* seed_;
    QLabel* not_covered_;
    QLabel* method_;
    bool refreshing_ = false;
};

}  // namespace humo::app
