#pragma once
// Looking at and poking the X server the way a user's eyes and hands would:
// screen pixels, windows by title, the close button; and waiting for a
// program started from a test.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace xscreen {

// What is on screen over a window's client area, 0x00RRGGBB, top-down rows.
struct Shot {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
    uint32_t at(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
};

// The part (x, y, width x height) of w's client area; all of it when width is 0.
inline Shot grab(Display* d, Window w, int x = 0, int y = 0, int width = 0, int height = 0)
{
    XSync(d, False);
    XWindowAttributes a;
    if (!XGetWindowAttributes(d, w, &a))
        return {};
    if (width == 0) {
        width = a.width;
        height = a.height;
    }
    int rx = 0, ry = 0;
    Window child;
    XTranslateCoordinates(d, w, DefaultRootWindow(d), x, y, &rx, &ry, &child);
    Shot s;
    XImage* img = XGetImage(d, DefaultRootWindow(d), rx, ry, unsigned(width), unsigned(height),
                            AllPlanes, ZPixmap);
    if (!img)
        return s;
    s.width = width;
    s.height = height;
    s.pixels.resize(size_t(width) * size_t(height));
    for (int j = 0; j < height; ++j)
        for (int i = 0; i < width; ++i)
            s.pixels[size_t(j) * size_t(width) + size_t(i)] = uint32_t(XGetPixel(img, i, j)) & 0xFFFFFF;
    XDestroyImage(img);
    return s;
}

// A top-level window whose title starts with prefix (or, if exact, is it), or 0.
inline Window findByTitle(Display* d, const std::string& prefix, bool exact = false)
{
    Window root, parent, *children = nullptr;
    unsigned n = 0;
    Window found = 0;
    if (!XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &n))
        return 0;
    for (unsigned i = 0; i < n && !found; ++i) {
        char* name = nullptr;
        if (XFetchName(d, children[i], &name) && name) {
            if (exact ? prefix == name : std::string(name).rfind(prefix, 0) == 0)
                found = children[i];
            XFree(name);
        }
    }
    if (children)
        XFree(children);
    return found;
}

// What the window manager sends when the user clicks the close button.
inline void askToClose(Display* d, Window w)
{
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = w;
    e.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = long(XInternAtom(d, "WM_DELETE_WINDOW", False));
    e.xclient.data.l[1] = CurrentTime;
    XSendEvent(d, w, False, NoEventMask, &e);
    XFlush(d);
}

// xdotool with these arguments (it drives the pointer and keys through XTest,
// as real devices would); true when it succeeded.
inline bool xdotool(const std::string& args)
{
    return std::system(("xdotool " + args + " >/dev/null 2>&1").c_str()) == 0;
}

inline double secondsSince(std::chrono::steady_clock::time_point t)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t).count();
}

// The exit status once the child ends within seconds; -1 when it does not
// (it is killed then) or when it crashed.
inline int waitForExit(pid_t pid, double seconds)
{
    const auto start = std::chrono::steady_clock::now();
    int status = 0;
    while (waitpid(pid, &status, WNOHANG) == 0) {
        if (secondsSince(start) > seconds) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            return -1;
        }
        usleep(10000);
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Waits up to timeout seconds for a top-level window titled prefix... whose
// pixel (x, y) is rgb (0x00RRGGBB). Its id, or 0.
inline Window waitForPixel(Display* d, const std::string& prefix, int x, int y, uint32_t rgb,
                           double timeout)
{
    const auto start = std::chrono::steady_clock::now();
    // Other clients' windows come and go: their errors are no failure here.
    XErrorHandler old = XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    Window found = 0;
    while (!found && secondsSince(start) < timeout) {
        const Window w = findByTitle(d, prefix);
        const Shot s = w ? grab(d, w, x, y, 1, 1) : Shot{};
        if (!s.pixels.empty() && s.pixels[0] == rgb)
            found = w;
        else
            usleep(5000);
    }
    XSetErrorHandler(old);
    return found;
}

}  // namespace xscreen
