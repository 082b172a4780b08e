#pragma once

#include <QWidget>
#include <vector>

#include "control.h"
#include "program.h"

namespace humo::qt {

class ControlView;

// The views whose model changed while a user action runs. They are brought up to date once,
// when the action ends or before a message box makes the user wait, so a pick lays out and
// paints each widget it changed once, however many steps changed it.
class SyncQueue {
public:
    explicit SyncQueue(const forms::Program& program) : program_(program) {}

    // Outside a user action the view is brought up to date at once.
    void request(ControlView& view);
    void forget(ControlView& view);
    void flush();

private:
    const forms::Program& program_;
    std::vector<ControlView*> pending_;
};

// A widget that mirrors one model control. The model tells it of every change; the widget turns
// user actions into model calls. Once detached (its form unloaded), it never touches the model
// again.
class ControlView {
public:
    virtual ~ControlView();
    virtual forms::Control* control() const = 0;
    virtual void detach() = 0;
    // Brings the widget to the model's whole present state.
    virtual void sync() = 0;
    void set_sync_queue(SyncQueue* queue) { queue_ = queue; }

protected:
    void model_changed();
    void stop_syncing();

private:
    SyncQueue* queue_ = nullptr;
};

// Geometry, typeface, colour, enabled and visible state, names: what every widget takes from
// its control.
void apply_control_look(QWidget& widget, const forms::Control& control);
// Where the model puts the control, in pixels.
void place(QWidget& widget, const forms::Control& control);

// A Qt widget bound to a model control of one kind.
template <class Widget, class Model>
class BoundView : public Widget, public ControlView {
public:
    forms::Control* control() const override { return model_; }
    void detach() override {
        if (model_)
            model_->remove_listener(listener_id_);
        model_ = nullptr;
        stop_syncing();
    }
    // Kinds with state of their own bring it up to date first, then call this. A widget
    // repaints itself when its state changes; an explicit refresh repaints it regardless.
    void sync() override {
        if (!model_)
            return;
        this->setEnabled(model_->enabled());
        this->setHidden(!model_->visible());
        place(*this, *model_);
        if (refresh_requested_)
            this->update();
        refresh_requested_ = false;
    }

protected:
    BoundView(Model& model, QWidget* parent) : Widget(parent), model_(&model) {
        apply_control_look(*this, model);
        listener_id_ = model.add_listener([this](const forms::ControlChange& change) {
            refresh_requested_ = refresh_requested_ || change.kind == forms::ChangeKind::kRefresh;
            note_change(change);
            model_changed();
        });
    }
    ~BoundView() override { detach(); }
    // Told of each change as it happens, for kinds that must know what changed, not only
    // that something did.
    virtual void note_change(const forms::ControlChange&) {}

    // Null once the form has unloaded.
    Model* model_;

private:
    int listener_id_ = -1;
    bool refresh_requested_ = false;
};

}  // namespace humo::qt
