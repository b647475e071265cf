#include "base/pointer_tracker.h"

#include "base/input_codes.h"
#include "base/saturate.h"

namespace ovek {

bool trackPointerRecord(PointerState& s, PointerSink& sink, int x, int y, int button, int type)
{
    if (s.pressed) {
        const int dxPress = saturatingSub(x, s.pressX), dyPress = saturatingSub(y, s.pressY);
        const int dxLast = saturatingSub(x, s.lastX), dyLast = saturatingSub(y, s.lastY);
        s.lastX = x;
        s.lastY = y;
        if (dxPress != 0 || dyPress != 0)
            s.dragged = true;
        sink.drag(x, y, dxPress, dyPress, dxLast, dyLast);
    }

    const bool inside = sink.hitTest(x, y);
    if (inside) {
        if (!s.mouseIn) {
            s.mouseIn = true;
            s.dragged = false;
            sink.enter(x, y);
        }
        if (type == MOUSE_DOWN) {
            sink.down(x, y, button);
            s.pressed = true;
            s.dragged = false;
            s.pressX = s.lastX = x;
            s.pressY = s.lastY = y;
        } else if (type == MOUSE_UP) {
            sink.up(x, y, button, saturatingSub(x, s.pressX), saturatingSub(y, s.pressY),
                    s.dragged);
        }
        if (!s.pressed)
            sink.move(x, y);
    } else if (s.mouseIn) {
        s.mouseIn = false;
        sink.exit(x, y);
    }

    if (type == MOUSE_UP && s.pressed) {
        s.pressed = false;
        if (!s.mouseIn)   // released outside: the inside branch gave no up
            sink.up(x, y, button, saturatingSub(x, s.pressX), saturatingSub(y, s.pressY),
                    s.dragged);
    }
    return inside;
}

}  // namespace ovek
