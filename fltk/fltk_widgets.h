#pragma once
// The FLTK widgets behind FltkWindowSystem: the main window, the root drawing
// area that shows the back buffer, and the native OpenGL pane.
#include <FL/Fl_Gl_Window.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_Widget.H>
#include <FL/Fl_Window.H>

#include "image/surface.h"
#include "fltk/fltk_window_system.h"
#include "toolkit/native_pane.h"

namespace ovek {

// Takes the main window's mouse and key input; its children keep their places
// when it is resized (the program lays itself out).
class MainWindow : public Fl_Window {
public:
    MainWindow(FltkWindowSystem& windows, int width, int height);
    int handle(int event) override;
    void resize(int x, int y, int w, int h) override;

private:
    FltkWindowSystem& windows_;
};

// The root window: shows what the platform last copied from the back buffer,
// so an expose is repainted at once from here.
class RootArea : public Fl_Widget, public Surface {
public:
    RootArea(int width, int height);

    PixelSurface shown;   // what the area shows, in its own pixels

    void copy(const PixelSurface& src, int dx, int dy, int w, int h, int sx, int sy) override;
    void stretchCopy(const PixelSurface& src, int dx, int dy, int dw, int dh, int sx, int sy,
                     int sw, int sh) override;
    void draw() override;
    // New size; black until the next copy.
    void resizeArea(int w, int h);
};

// A child window of the main window with the program's OpenGL context:
// double-buffered RGBA with a depth buffer of at least 16 bits.
class GlPane : public Fl_Gl_Window, public NativePane3D {
public:
    // Inside holder, a group of its own that takes it off the screen without
    // destroying the window or its context.
    GlPane(FltkWindowSystem& windows, Fl_Group* holder, int x, int y, int w, int h);

    bool swapped = false;   // a frame was shown since the last tick began

    // Whether the system can give such a context at all.
    bool canDo();
    void makeCurrent() override;
    void place(int x, int y, int w, int h) override;
    void swapBuffers() override;
    void setMapped(bool mapped);
    int handle(int event) override;
    // Expose: the pane paints itself (repaint) rather than FLTK's draw.
    void flush() override;
    void draw() override {}

private:
    FltkWindowSystem& windows_;
    Fl_Group* holder_;
};

}  // namespace ovek
