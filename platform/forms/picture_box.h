#pragma once

#include "control.h"

namespace humo::forms {

// A picture stored with the form. The picture is named by a resource path that the renderer
// resolves; the form model never decodes images.
class PictureBox : public Control {
public:
    PictureBox(Form& form, std::string name, Rect rect, std::string picture)
        : Control(form, std::move(name), ControlKind::kPicture, rect),
          picture_(std::move(picture)) {}

    const std::string& picture() const { return picture_; }

private:
    std::string picture_;
};

}  // namespace humo::forms
