#pragma once

#include <functional>
#include <memory>

#include "program.h"

namespace humo::forms {

// The one instance of a form, created on first use. Once the form has been unloaded, the next
// use creates it afresh, as unloading destroys a form's instance state.
template <class FormType>
class FormSlot {
public:
    explicit FormSlot(std::function<std::unique_ptr<FormType>()> make) : make_(std::move(make)) {}

    FormType& operator()() {
        if (form_ && form_->spent()) {
            Program& program = form_->program();
            program.retire(std::move(form_));
        }
        if (!form_)
            form_ = make_();
        return *form_;
    }
    // The instance if one exists, without creating it.
    FormType* existing() const { return form_.get(); }

private:
    std::function<std::unique_ptr<FormType>()> make_;
    std::unique_ptr<FormType> form_;
};

}  // namespace humo::forms
