#include "text_box.h"

#include "form.h"
#include "program.h"

namespace humo::forms {

void TextBox::set_text(std::string text) {
    if (text == text_)
        return;
    text_ = std::move(text);
    notify(Change::kText);
}

Refusal TextBox::user_type(std::string text) {
    return form().program().run_user_action([this, &text]() -> Refusal {
        if (auto refusal = user_refusal())
            return refusal;
        set_focus();
        set_text(std::move(text));
        return std::nullopt;
    });
}

}  // namespace humo::forms
