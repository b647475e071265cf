#pragma once
// Dropping files on a window from outside, as a file manager does it: the
// XDND protocol (enter, position, drop), with the list offered as
// text/uri-list from a selection of our own.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <string>

#include "tests/fltk/x_screen.h"

namespace xscreen {

// Drops uriList at (x, y) of window w. False when the window refused the
// drop or did not finish it within seconds.
inline bool dropFiles(Display* d, Window w, int x, int y, const std::string& uriList,
                      double seconds = 20)
{
    const auto atom = [d](const char* name) { return XInternAtom(d, name, False); };
    const Atom enter = atom("XdndEnter"), position = atom("XdndPosition"), drop = atom("XdndDrop"),
               leave = atom("XdndLeave"), status = atom("XdndStatus"),
               finished = atom("XdndFinished"), selection = atom("XdndSelection"),
               uriType = atom("text/uri-list"), copy = atom("XdndActionCopy");
    const Window source = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 1, 1, 0, 0, 0);
    XSetSelectionOwner(d, selection, source, CurrentTime);
    int rootX = 0, rootY = 0;
    Window child;
    XTranslateCoordinates(d, w, DefaultRootWindow(d), x, y, &rootX, &rootY, &child);

    const auto send = [&](Atom type, long l1, long l2, long l3, long l4) {
        XEvent e{};
        e.xclient.type = ClientMessage;
        e.xclient.display = d;
        e.xclient.window = w;
        e.xclient.message_type = type;
        e.xclient.format = 32;
        e.xclient.data.l[0] = long(source);
        e.xclient.data.l[1] = l1;
        e.xclient.data.l[2] = l2;
        e.xclient.data.l[3] = l3;
        e.xclient.data.l[4] = l4;
        XSendEvent(d, w, False, NoEventMask, &e);
        XFlush(d);
    };
    send(enter, 5L << 24, long(uriType), 0, 0);
    send(position, 0, (long(rootX) << 16) | rootY, CurrentTime, long(copy));

    bool accepted = false, dropped = false, done = false;
    const auto start = std::chrono::steady_clock::now();
    while (!done && secondsSince(start) < seconds) {
        if (!XPending(d)) {
            usleep(5000);
            continue;
        }
        XEvent e;
        XNextEvent(d, &e);
        if (e.type == ClientMessage && e.xclient.message_type == status && !dropped) {
            accepted = (e.xclient.data.l[1] & 1) != 0;
            if (accepted)
                send(drop, 0, CurrentTime, 0, 0);
            else
                send(leave, 0, 0, 0, 0);
            dropped = true;
            done = !accepted;
        } else if (e.type == SelectionRequest) {
            // The target asks for the list: hand it over in the type asked.
            XSelectionRequestEvent& r = e.xselectionrequest;
            XEvent reply{};
            reply.xselection.type = SelectionNotify;
            reply.xselection.requestor = r.requestor;
            reply.xselection.selection = r.selection;
            reply.xselection.target = r.target;
            reply.xselection.time = r.time;
            reply.xselection.property = r.property;
            XChangeProperty(d, r.requestor, r.property, r.target, 8, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(uriList.data()),
                            int(uriList.size()));
            XSendEvent(d, r.requestor, False, NoEventMask, &reply);
            XFlush(d);
        } else if (e.type == ClientMessage && e.xclient.message_type == finished) {
            done = true;
        }
    }
    XDestroyWindow(d, source);
    XFlush(d);
    return accepted && done;
}

}  // namespace xscreen
