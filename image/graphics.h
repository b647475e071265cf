#pragma once
// Drawing context over one image's software surface: a translation plus a
// current colour. Drawing goes onto the surface, not into the pixel buffer, so a
// later upload of a changed buffer (Image::refresh) covers it.
#include <cstdint>

#include "image/image.h"

namespace ovek {

class Graphics {
public:
    // Binds to target's surface; target is not owned and must outlive this.
    explicit Graphics(Image* target);
    Graphics(const Graphics&) = delete;
    Graphics& operator=(const Graphics&) = delete;

    Image* target = nullptr;         // image drawn on; not owned
    uint32_t fillColor = 0xFFFFFF;   // 0x00RRGGBB of fills; white until setColor
    uint32_t textColor = 0;          // 0x00RRGGBB of text; black until setColor
    int translateX = 0;            // pixels added to every x
    int translateY = 0;            // pixels added to every y

    // Both the fill and the text colour; each argument reduced to its low byte.
    void setColor(int r, int g, int b);
    // Fills [x, x + w) x [y, y + h) (translated) with the current colour and
    // draws its outermost pixels as a one-pixel black outline.
    void fillRect(int x, int y, int w, int h);
    // Single-line ASCII text in a built-in 5 x 7 font; (x, y) is the top-left
    // corner of the first glyph cell, cells are 6 x 8 pixels. Other bytes
    // advance by one cell without drawing.
    void drawString(const char* text, int x, int y);
    // Makes this surface img's target and copies img unscaled to (x, y).
    void drawImage(int x, int y, Image* img);
    // Makes this surface img's target and copies the whole of img scaled to w x h.
    void drawImage(int x, int y, int w, int h, Image* img);
    // Cumulative; undone by the opposite call.
    void transform(int dx, int dy);
    // A new w x h image painting onto this surface. Caller owns it.
    Image* createImage(int w, int h);
    // Shows the target image on its own target surface.
    void flush();

    // Size of one character cell of drawString.
    static constexpr int kGlyphAdvance = 6;  // pixels
    static constexpr int kGlyphHeight = 8;   // pixels
};

}  // namespace ovek
