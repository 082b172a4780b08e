#pragma once

#include "control.h"

namespace humo::forms {

// A picture stored with the form, or a bare panel that holds other controls. The picture is
// named by a resource path that the renderer resolves; the form model never decodes images.
class PictureBox : public Control {
public:
    PictureBox(Form& form, std::string name, Rect rect, std::string picture = {})
        : Control(form, std::move(name), ControlKind::kPicture, rect),
          picture_(std::move(picture)) {}

    const std::string& picture() const { return picture_; }
    // A panel aligned to the bottom spans the form's width and sits on its lower edge, above
    // the bottom panels declared before it.
    bool aligned_bottom() const { return aligned_bottom_; }
    void set_aligned_bottom(bool aligned) { aligned_bottom_ = aligned; }

private:
    std::string picture_;
    bool aligned_bottom_ = false;
};

}  // namespace humo::forms
