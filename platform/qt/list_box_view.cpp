#include "list_box_view.h"

#include <QSignalBlocker>
#include <QTimer>

namespace humo::qt {

ListBoxView::ListBoxView(forms::ListBox& list, QWidget* parent) : BoundView(list, parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    // Every row is one line of one font: its height need not be measured row by row.
    setUniformItemSizes(true);
    show_model_items();
    show_model_selection();
    // itemSelectionChanged, not currentRowChanged: an assistive technology selects without
    // moving the current row, and focus alone moves the current row without selecting.
    connect(this, &QListWidget::itemSelectionChanged, this, [this] { user_selection_changed(); });
}

void ListBoxView::sync() {
    if (!model_)
        return;
    show_model_items();
    show_model_selection();
    BoundView::sync();
}

void ListBoxView::show_model_items() {
    if (shown_items_ == model_->items())
        return;
    const QSignalBlocker blocker(this);
    clear();
    QStringList items;
    items.reserve(static_cast<qsizetype>(model_->items().size()));
    for (const std::string& item : model_->items())
        items.append(QString::fromStdString(item));
    addItems(items);
    shown_items_ = model_->items();
}

void ListBoxView::focusInEvent(QFocusEvent* event) {
    QListWidget::focusInEvent(event);
    // Taking the focus makes the first row current; with nothing chosen that would look like
    // a selection the user never made.
    if (model_ && model_->list_index() < 0) {
        const QSignalBlocker blocker(this);
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    }
}

void ListBoxView::show_model_selection() {
    const QSignalBlocker blocker(this);
    const int index = model_->list_index();
    if (index < 0) {
        clearSelection();
        setCurrentRow(-1);
        return;
    }
    setCurrentRow(index);
    if (QListWidgetItem* selected = item(index)) {
        selected->setSelected(true);
        scrollToItem(selected);
    }
}

void ListBoxView::user_selection_changed() {
    if (!model_)
        return;
    // The item the user chose is the selected one the model does not hold yet.
    const int held = model_->list_index();
    for (QListWidgetItem* selected : selectedItems()) {
        if (row(selected) != held) {
            model_->user_select(row(selected));
            break;
        }
    }
    // Show what the model holds once the change is complete: an assistive technology clears
    // the selection first and selects the new item after, in two steps.
    QTimer::singleShot(0, this, [this] {
        if (model_)
            show_model_selection();
    });
}

}  // namespace humo::qt
