#pragma once
// A native child window of the root window with an OpenGL context of its own,
// which the 3D pane draws into. The window system makes it (createPane3D) and
// keeps it for the rest of the run; the program has one context, made current
// when the window is made.
#include <functional>

namespace ovek {

class NativePane3D {
public:
    virtual ~NativePane3D() = default;
    // Makes the pane's context current on this thread: before any OpenGL call
    // outside painting.
    virtual void makeCurrent() = 0;
    // Moves and resizes the window, in root-window pixels, and lets it repaint.
    // A size that is not positive on both sides takes the window off the screen
    // until a positive one comes.
    virtual void place(int x, int y, int w, int h) = 0;
    // Shows the frame just drawn.
    virtual void swapBuffers() = 0;
    // Drawing the window's content again, with the context current, when the
    // window system lost it (an expose). Set by the pane; empty draws nothing.
    std::function<void()> repaint;
};

}  // namespace ovek
