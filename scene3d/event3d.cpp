#include "scene3d/event3d.h"

#include <cstddef>

#include "scene3d/window_info.h"

namespace {

// The shared tracking's notifications as this object's listener calls; a
// press also takes the view's focus.
class Notifier final : public ovek::PointerSink {
public:
    explicit Notifier(Event3D& o) : o_(o) {}
    bool hitTest(int x, int y) override { return o_.isPointIn(x, y); }
    void drag(int x, int y, int dxp, int dyp, int dxl, int dyl) override
    {
        ovek::runOldestFirst(o_.mouseDragListeners, x, y, dxp, dyp, dxl, dyl, &o_);
    }
    void enter(int x, int y) override { ovek::runOldestFirst(o_.mouseEnterListeners, x, y, &o_); }
    void exit(int x, int y) override { ovek::runOldestFirst(o_.mouseExitListeners, x, y, &o_); }
    void move(int, int) override {}
    void down(int x, int y, int button) override
    {
        WINDOW_INFO.setFocus(&o_);
        ovek::runOldestFirst(o_.mouseDownListeners, x, y, button, &o_);
    }
    void up(int x, int y, int button, int dx, int dy, bool dragged) override
    {
        ovek::runNewestFirst(o_.mouseUpListeners, x, y, button, &o_, dx, dy, dragged);
    }

private:
    Event3D& o_;
};

}  // namespace

void Event3D::fireMouseEvent(int x, int y, int button, int type)
{
    if (!enabled || !visible)
        return;
    Notifier notifier(*this);
    ovek::trackPointerRecord(*this, notifier, x, y, button, type);
}

void Event3D::fireKeyEvent(int a, int b, int c)
{
    ovek::runOldestFirst(keyPressListeners, a, b, c, this);
}

bool Event3D::isPointIn(double, double)
{
    return false;
}

void Event3D::display()
{
    if (visible)
        show();
}
