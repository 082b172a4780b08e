#include "text_box.h"

#include "form.h"
#include "program.h"

namespace humo::forms {

void TextBox::set_text(std::string text) {
    if (text == text_)
        return;
    text_ = std::move(text);
    notify({ChangeKind::kText});
}

Refusal TextBox::user_type(std::string text) {
    return form().program().run_user_action([this, &text]() -> Refusal {
        if (auto refusal = user_refusal())
            return refusal;
        if (locked_)
            return "read-only";
        set_focus();
        if (text == text_)
            return std::nullopt;
        set_text(std::move(text));
        // Last statement: the handler may change this very box.
        if (Change)
            Change();
        return std::nullopt;
    });
}

}  // namespace humo::forms
