#pragma once
// A tooltip near the pointer: it appears 100 ms after it is asked for and goes
// away after 3000 ms on screen, or when it is withdrawn.
#include <memory>
#include <string>

class Fl_Menu_Window;

namespace ovek {

class ToolTip {
public:
    static constexpr double kShowDelay = 0.1;   // seconds
    static constexpr double kHideDelay = 3.0;   // seconds on screen

    ToolTip();
    ~ToolTip();
    ToolTip(const ToolTip&) = delete;
    ToolTip& operator=(const ToolTip&) = delete;

    // Replaces any tip; text is UTF-8. Shown near the pointer after the delay.
    void show(const std::string& text);
    // Withdraws the tip, shown or pending.
    void hide();
    bool onScreen() const;
    const std::string& text() const { return text_; }

private:
    static void appear(void* self);
    static void disappear(void* self);

    std::string text_;
    std::unique_ptr<Fl_Menu_Window> window_;
};

// The font with the glyphs of the program's Chinese texts.
int cjkFont();

}  // namespace ovek
