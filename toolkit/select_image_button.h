#pragma once
// A toggle button (the tabs, the modeller's tools): shows its selected or its
// unselected image in every enabled state.
#include "toolkit/image_button.h"

namespace ovek {

class SelectImageButton : public ImageButton {
public:
    SelectImageButton() = default;
    ~SelectImageButton() override = default;

    Image* selectedImage = nullptr;     // not owned
    Image* unselectedImage = nullptr;   // not owned
    bool selected = false;

    // Puts the matching image into the out, up and down slots and asks for a
    // repaint; the disabled image stays.
    void setSelected(bool s);
    bool isSelected() const { return selected; }
    // Store only: the shown images change at the next setSelected.
    void setSelectedImage(Image* img) { selectedImage = img; }
    void setUnselectedImage(Image* img) { unselectedImage = img; }
};

}  // namespace ovek
