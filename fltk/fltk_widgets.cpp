#include "fltk/fltk_widgets.h"

#include <GL/glx.h>
#include <FL/Fl.H>
#include <FL/fl_draw.H>

#include <algorithm>

#include "fltk/fltk_form.h"

namespace ovek {

namespace {

bool isMouseEvent(int event)
{
    return event == FL_PUSH || event == FL_RELEASE || event == FL_MOVE || event == FL_DRAG;
}

// Keys reach whichever window holds the focus or, failing that, the pointer.
int handleKey(FltkWindowSystem& windows, int event)
{
    if (event == FL_KEYBOARD || event == FL_SHORTCUT)
        return windows.key(Fl::event_key(), true);
    return windows.key(Fl::event_key(), false);
}

bool isKeyEvent(int event)
{
    return event == FL_KEYBOARD || event == FL_SHORTCUT || event == FL_KEYUP;
}

// Files dragged over any of our windows: accepted while the program takes
// drops; the release is followed by FL_PASTE with the URI list.
int handleDrop(FltkWindowSystem& windows, int event)
{
    switch (event) {
    case FL_DND_ENTER:
    case FL_DND_DRAG:
    case FL_DND_RELEASE:
        return windows.acceptsDrops() ? 1 : 0;
    case FL_DND_LEAVE:
        return 1;
    case FL_PASTE:
        windows.dropped(Fl::event_text() ? std::string(Fl::event_text(), size_t(Fl::event_length()))
                                         : std::string());
        return 1;
    default:
        return -1;
    }
}

struct ShownRows {
    const PixelSurface* surface;
    int left;
    int top;
};

// One row of the shown pixels (0x00RRGGBB) as the RGB bytes FLTK draws.
void rgbRow(void* data, int x, int y, int w, uchar* out)
{
    const auto* rows = static_cast<const ShownRows*>(data);
    const uint32_t* p = rows->surface->pixels.data() +
                        size_t(rows->top + y) * size_t(rows->surface->width) + size_t(rows->left + x);
    for (int i = 0; i < w; ++i) {
        out[3 * i] = uchar(p[i] >> 16);
        out[3 * i + 1] = uchar(p[i] >> 8);
        out[3 * i + 2] = uchar(p[i]);
    }
}

}  // namespace

MainWindow::MainWindow(FltkWindowSystem& windows, int width, int height)
    : Fl_Window(0, 0, width, height), windows_(windows)
{
}

int MainWindow::handle(int event)
{
    if ((event == FL_PUSH || event == FL_MOVE) && formWindowAt(*this, Fl::event_x(), Fl::event_y())) {
        // A form's widgets take their clicks; a move still ends the program's
        // hover looks.
        if (event == FL_MOVE)
            windows_.mouse(event, Fl::event_button(), Fl::event_x(), Fl::event_y());
        return Fl_Window::handle(event);
    }
    if (event == FL_PUSH && Fl::focus() && Fl::focus() != this && Fl::focus()->window() != this)
        // A click beside the form ends typing in its field (which takes the
        // value), so that the program's keys reach the program again.
        Fl::focus(this);
    if (isMouseEvent(event)) {
        windows_.mouse(event, Fl::event_button(), Fl::event_x(), Fl::event_y());
        return 1;
    }
    if (event == FL_MOUSEWHEEL) {
        windows_.wheel(Fl::event_x(), Fl::event_y(), Fl::event_dy());
        return 1;
    }
    if (isKeyEvent(event))
        return handleKey(windows_, event);
    if (const int drop = handleDrop(windows_, event); drop >= 0)
        return drop;
    // Taking the pointer and the focus brings the moves and the keys here.
    if (event == FL_ENTER || event == FL_LEAVE || event == FL_FOCUS || event == FL_UNFOCUS)
        return 1;
    return Fl_Window::handle(event);
}

void MainWindow::resize(int x, int y, int w, int h)
{
    Fl_Window::resize(x, y, w, h);
    windows_.updateRootSize();
}

RootArea::RootArea(int width, int height) : Fl_Widget(0, 0, width, height), shown(width, height)
{
}

void RootArea::copy(const PixelSurface& src, int dx, int dy, int w, int h, int sx, int sy)
{
    shown.copy(src, dx, dy, w, h, sx, sy);
    damage(FL_DAMAGE_USER1, dx, dy, w, h);
}

void RootArea::stretchCopy(const PixelSurface& src, int dx, int dy, int dw, int dh, int sx,
                           int sy, int sw, int sh)
{
    shown.stretchCopy(src, dx, dy, dw, dh, sx, sy, sw, sh);
    damage(FL_DAMAGE_USER1, dx, dy, dw, dh);
}

void RootArea::draw()
{
    int x0, y0, w, h;
    fl_clip_box(0, 0, std::min(shown.width, this->w()), std::min(shown.height, this->h()), x0, y0,
                w, h);
    if (w <= 0 || h <= 0)
        return;
    ShownRows rows{&shown, x0, y0};
    fl_draw_image(rgbRow, &rows, x0, y0, w, h, 3);
}

void RootArea::resizeArea(int w, int h)
{
    size(w, h);
    shown.resize(w, h);
}

GlPane::GlPane(FltkWindowSystem& windows, Fl_Group* holder, int x, int y, int w, int h)
    : Fl_Gl_Window(x, y, std::max(w, 1), std::max(h, 1)), windows_(windows), holder_(holder)
{
    static const int attributes[] = {GLX_RGBA,      GLX_DOUBLEBUFFER, GLX_RED_SIZE,   8,
                                     GLX_GREEN_SIZE, 8,               GLX_BLUE_SIZE,  8,
                                     GLX_DEPTH_SIZE, 16,              None};
    mode(attributes);
    end();
}

bool GlPane::canDo()
{
    return Fl_Gl_Window::can_do() != 0;
}

void GlPane::makeCurrent()
{
    make_current();
}

void GlPane::place(int x, int y, int w, int h)
{
    if (w <= 0 || h <= 0) {
        setMapped(false);
        return;
    }
    resize(x, y, w, h);
}

void GlPane::swapBuffers()
{
    swap_buffers();
    swapped = true;
}

void GlPane::setMapped(bool mapped)
{
    // Hiding the holder unmaps this window but keeps it and its context;
    // hiding the window itself would destroy the context.
    if (mapped && !holder_->visible())
        holder_->show();
    else if (!mapped && holder_->visible())
        holder_->hide();
}

int GlPane::handle(int event)
{
    if (isMouseEvent(event)) {
        windows_.mouse(event, Fl::event_button(), Fl::event_x() + x(), Fl::event_y() + y());
        return 1;
    }
    if (event == FL_MOUSEWHEEL) {
        windows_.wheel(Fl::event_x() + x(), Fl::event_y() + y(), Fl::event_dy());
        return 1;
    }
    if (isKeyEvent(event))
        return handleKey(windows_, event);
    if (const int drop = handleDrop(windows_, event); drop >= 0)
        return drop;
    if (event == FL_ENTER || event == FL_LEAVE)
        return 1;
    return Fl_Gl_Window::handle(event);
}

void GlPane::flush()
{
    make_current();
    if (repaint)
        repaint();
}

}  // namespace ovek
