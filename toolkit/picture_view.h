#pragma once
// A pane that shows one picture, zoomed and scrolled (ZoomView): fitted when
// the picture is larger than the pane, at its own size from the pane's
// top-left corner otherwise. The wheel zooms about the pointer, a drag
// scrolls, keys switch between 1:1 and fitted. Whatever is shown, the picture
// is kept whole, and it is drawn straight from its pixels: no full-size
// display surface is ever made.
#include <memory>

#include "image/grey_picture.h"
#include "image/image.h"
#include "toolkit/component.h"
#include "toolkit/zoom_view.h"

namespace ovek {

class PictureView : public Component {
public:
    PictureView() = default;
    ~PictureView() override = default;

    ZoomView zoom;   // what is shown; its area follows the bounds
    // A picture shown whole at its own size, with nothing to scroll, lets
    // clicks through to what lies below it (the wheel still zooms it).
    bool clickThroughWhenStill = false;

    // img becomes the picture (null: none) and the previous one is freed. A
    // picture of the same size keeps the zoom and scroll, any other is
    // fitted. The bounds stay: they come from the layout.
    void setImage(std::unique_ptr<Image> img);
    // The picture as set. A depth picture kept only as grey values is made
    // whole again on the first call (the same pixels) and kept until the
    // picture changes.
    Image* getImage() const;
    // As setImage for a depth picture: its grey values (what production reads)
    // are kept too, and a picture without colour is kept only as those, a
    // third of the memory.
    void setDepthPicture(std::unique_ptr<Image> img);
    // The depth picture's grey values; null unless set by setDepthPicture.
    // Shared and never changed: a new picture gets a new one.
    std::shared_ptr<const GreyPicture> depthGrey() const { return grey_; }
    int pictureWidth() const { return zoom.pictureWidth; }
    int pictureHeight() const { return zoom.pictureHeight; }

    // The keys of the view: 1 switches between 1:1 and fitted, 0 fits, + and
    // - zoom about the pane's centre. Whether key was one of them; keys with
    // Ctrl or Alt are left to others.
    bool zoomKey(int key, InputMods mods);

    void setBounds(int newLeft, int newTop, int newWidth, int newHeight) override;
    // Only the shown picture takes the pointer (see clickThroughWhenStill):
    // around it, what lies below stays clickable.
    bool isPointIn(int x, int y) override;
    void paint(Graphics* g) override;
    void fireMouseDragEvent(int x, int y, int dxFromPress, int dyFromPress, int dxFromLast,
                            int dyFromLast) override;
    bool fireMouseWheelEvent(int x, int y, int steps, InputMods mods = {}) override;

private:
    void pictureChanged();

    std::unique_ptr<Image> image_;              // null for a depth picture kept as grey only
    std::shared_ptr<const GreyPicture> grey_;   // a depth picture's values
    mutable std::unique_ptr<Image> remade_;     // getImage's copy made from grey_
};

}  // namespace ovek
