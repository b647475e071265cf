#pragma once
// What part of a picture a pane shows, and at which scale: fitted to the pane
// when the picture is larger, at its own size from the top-left corner
// otherwise, and moved by zooming about a point and by scrolling. Only the
// arithmetic: the pane that draws and takes input is PictureView.
#include "image/picture_draw.h"

namespace ovek {

struct ZoomView {
    static constexpr double kMaxScale = 32;   // screen pixels per picture pixel, zoomed in
    static constexpr double kWheelStep = 1.25;   // zoom factor of one wheel notch or key

    int areaWidth = 0;       // pixels of the pane
    int areaHeight = 0;
    int pictureWidth = 0;    // pixels of the picture shown
    int pictureHeight = 0;
    double scale = 1;        // screen pixels per picture pixel
    double left = 0;         // picture pixels left of the pane's left edge
    double top = 0;          // picture pixels above the pane's top edge
    bool fitted = true;      // follows the pane's size (set by fit, cleared by zooming in)

    // A new pane size: a fitted view fits again, and so does one now smaller
    // than it would be fitted; any other keeps its scale and stays inside the
    // picture.
    void setArea(int width, int height);
    // A new picture: one of the same size keeps the view (a recomputed result
    // stays where the user looked), any other is fitted.
    void setPicture(int width, int height);
    // The whole picture: scaled down to the pane when larger, 1:1 otherwise.
    void fit();
    // 1:1 from the picture's top-left corner.
    void actualSize();
    // 1:1 when not at 1:1, fitted otherwise: one key for both.
    void toggleActualSize();
    // Scales by factor, between the fitted scale and kMaxScale, keeping the
    // picture point under pane pixel (x, y) where it is.
    void zoomAbout(int x, int y, double factor);
    // The picture follows a pointer moved by (dx, dy) screen pixels, as far as
    // it has more to show.
    void scrollBy(int dx, int dy);

    // The scale of fit(): 1 for a picture that fits, else the larger
    // reduction that shows all of it.
    double fitScale() const;
    // The picture pixel shown at pane pixel x (or y); outside the picture
    // when it is negative or not below the picture's size.
    long long pictureX(int x) const { return shownPixel(left, scale, x); }
    long long pictureY(int y) const { return shownPixel(top, scale, y); }
    // The pane shows only part of the picture: a drag would move it.
    bool canScroll() const;
    // Pane pixel (x, y) lies inside the pane and shows a picture pixel.
    bool showsPicture(int x, int y) const;
    // The drawing's placement for a pane whose corner is surface pixel (x, y).
    PicturePlacement placement(int x, int y) const;

private:
    // Keeps left and top where the pane still shows picture, or at 0 when
    // the scaled picture is smaller than the pane.
    void clamp();
};

}  // namespace ovek
