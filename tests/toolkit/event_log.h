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

    void mouseEnter(int x, int y, ovek::EventObject*) override { add("enter", x, y); }
    void mouseExit(int x, int y, ovek::EventObject*) override { add("exit", x, y); }
    void mouseMove(int x, int y, ovek::EventObject*) override { add("move", x, y); }
    void mouseDown(int x, int y, int button, ovek::EventObject*) override
    {
        add("down", x, y, " b" + std::to_string(button));
    }
    void mouseUp(int x, int y, int button, ovek::EventObject*, int dx, int dy,
                 bool dragged) override
    {
        add("up", x, y,
            " b" + std::to_string(button) + " d" + std::to_string(dx) + "," + std::to_string(dy) +
                (dragged ? " dragged" : ""));
    }
    void mouseDrag(int x, int y, int dxp, int dyp, int dxl, int dyl, ovek::EventObject*) override
    {
        add("drag", x, y,
            " p" + std::to_string(dxp) + "," + std::to_string(dyp) + " l" + std::to_string(dxl) +
                "," + std::to_string(dyl));
    }
    void keyDown(int key, ovek::EventObject*) override
    {
        lines.push_back(prefix() + "keydown " + std::to_string(key));
    }
    void keyUp(int key, ovek::EventObject*) override
    {
        lines.push_back(prefix() + "keyup " + std::to_string(key));
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
