#include "command_button.h"

#include "form.h"
#include "program.h"

namespace humo::forms {

Refusal CommandButton::user_click() {
    return form().program().run_user_action([this]() -> Refusal {
        if (auto refusal = user_refusal())
            return refusal;
        set_focus();
        if (Click)
            Click();
        return std::nullopt;
    });
}

}  // namespace humo::forms
