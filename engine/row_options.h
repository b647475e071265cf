#pragma once
// What the fast rows may do beyond the design's geometry. The defaults are the
// design: every field at its default gives its rows byte for byte.
namespace ovek {

constexpr int kMaxOversampling = 8;

struct RowOptions {
    int oversample = 1;       // columns computed per output pixel, then averaged; 1 .. 8
    double depthScale = 1;    // depth pictures: multiplies every height (0 .. 2.27)
    bool invert = false;      // depth pictures: sample v stands at the height of max - v
    // Crossed eyes: the lines of sight still decide which surface a column
    // shows, but the colour is copied over the repeat of the mirrored height
    // (low + high - h), so that near parts get the longer repeats a crossed
    // look needs. low and high are the heights mirrored into each other.
    bool crossed = false;
    double low = 0;           // the farthest height shown, pixels
    double high = 255;        // the nearest height shown, pixels
};

// The height of depth-picture sample v: 8-bit samples 0 .. 255 as they are,
// 16-bit ones 0 .. 65535 over the same range (v / 257, so that 257 w stands
// exactly where w does), inverted and scaled as options say.
inline double sampleHeight(int v, bool sixteenBit, const RowOptions& options)
{
    const int top = sixteenBit ? 65535 : 255;
    const int u = options.invert ? top - v : v;
    return (sixteenBit ? u / 257.0 : double(u)) * options.depthScale;
}

}  // namespace ovek
