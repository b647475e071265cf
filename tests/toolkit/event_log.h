#pragma once
// Writes every notification an object raises into one readable log line each.
#include <string>
#include <vector>

#include "toolkit/event_object.h"

namespace faketk {

class EventLog : public ovek::EventListener {
public:
    std::vector<std::string> lines;
    const char* name = "";   // prefix, to tell several objects apart

    void mouseEnter(int x, int y, ovek::EventObject*, ovek::InputMods m) override
    {
        add("enter", x, y, keys(m));
    }
    void mouseExit(int x, int y, ovek::EventObject*, ovek::InputMods m) override
    {
        add("exit", x, y, keys(m));
    }
    void mouseMove(int x, int y, ovek::EventObject*, ovek::InputMods m) override
    {
        add("move", x, y, keys(m));
    }
    void mouseDown(int x, int y, int button, ovek::EventObject*, ovek::InputMods m) override
    {
        add("down", x, y, " b" + std::to_string(button) + keys(m));
    }
    void mouseUp(int x, int y, int button, ovek::EventObject*, int dx, int dy, bool dragged,
                 ovek::InputMods m) override
    {
        add("up", x, y,
            " b" + std::to_string(button) + " d" + std::to_string(dx) + "," + std::to_string(dy) +
                (dragged ? " dragged" : "") + keys(m));
    }
    void mouseDrag(int x, int y, int dxp, int dyp, int dxl, int dyl, ovek::EventObject*,
                   ovek::InputMods m) override
    {
        add("drag", x, y,
            " p" + std::to_string(dxp) + "," + std::to_string(dyp) + " l" + std::to_string(dxl) +
                "," + std::to_string(dyl) + keys(m));
    }
    void keyDown(int key, ovek::EventObject*, ovek::InputMods m) override
    {
        lines.push_back(prefix() + "keydown " + std::to_string(key) + keys(m));
    }
    void keyUp(int key, ovek::EventObject*, ovek::InputMods m) override
    {
        lines.push_back(prefix() + "keyup " + std::to_string(key) + keys(m));
    }

    // The modifier keys a record carried, as " +shift+ctrl+alt"; none gives "".
    static std::string keys(ovek::InputMods m)
    {
        std::string s;
        s += m.shift ? "+shift" : "";
        s += m.ctrl ? "+ctrl" : "";
        s += m.alt ? "+alt" : "";
        return s.empty() ? s : " " + s;
    }

    std::vector<std::string> take()
    {
        std::vector<std::string> out;
        out.swap(lines);
        return out;
    }

private:
    std::string prefix() const { return *name ? std::string(name) + " " : std::string(); }
    void add(const char* what, int x, int y, const std::string& rest = "")
    {
        lines.push_back(prefix() + what + " " + std::to_string(x) + "," + std::to_string(y) + rest);
    }
};

}  // namespace faketk
