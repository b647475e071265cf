#pragma once
// A button drawn with one of four images by state (disabled, pointer outside,
// pressed, pointer over), with an optional tooltip. Its clicks are the up
// listeners of EventObject.
#include "image/image.h"
#include "toolkit/component.h"

namespace ovek {

class ImageButton : public Component {
public:
    static constexpr int STATE_OVER = 0;
    static constexpr int STATE_PRESSED = 1;
    static constexpr int STATE_OUTSIDE = 2;

    ImageButton() = default;
    ~ImageButton() override = default;

    Image* imageDisabled = nullptr;    // not owned
    Image* imageMouseOut = nullptr;    // not owned
    Image* imageMouseDown = nullptr;   // not owned
    Image* imageMouseUp = nullptr;     // not owned; shown while the pointer is over
    int state = STATE_OUTSIDE;
    const char* tooltipText = nullptr; // UTF-8; the pointer is kept, not a copy

    // Each setter stores into its slot and then also fills the first empty
    // slot (see setDefaultImage), so that a button given only some images
    // shows one of them in every state.
    void setImageDisabled(Image* img);
    void setImageMouseOut(Image* img);
    void setImageMouseDown(Image* img);
    void setImageMouseUp(Image* img);
    // Puts img into the first empty slot in the order disabled, out, down, up;
    // nothing when all are set.
    void setDefaultImage(Image* img);
    void setTooltipText(const char* text) { tooltipText = text; }

    // Each runs the base notification, then updates the state, the tooltip
    // (enter shows it, exit counts a removal) and asks for a repaint.
    void fireMouseEnterEvent(int x, int y) override;
    void fireMouseExitEvent(int x, int y) override;
    void fireMouseDownEvent(int x, int y, int button) override;
    void fireMouseUpEvent(int x, int y, int button, int dx, int dy, bool wasDragged) override;
    void paint(Graphics* g) override;
};

}  // namespace ovek
