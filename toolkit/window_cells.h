#pragma once
// How the back buffer reaches the root window around the components that show
// native child windows of their own (the OpenGL pane): the root is cut into a
// grid along the edges of those components, and every grid cell whose top-left
// corner lies in no visible such component is copied.
#include <vector>

#include "toolkit/component.h"

namespace ovek {

struct WindowCell {
    int x = 0;        // root-window pixels
    int y = 0;
    int width = 0;    // pixels, one more than the grid step: cells overlap their
    int height = 0;   // right and lower neighbours by one pixel
};

// Cells in row-major order of their grid columns (x outer, y inner). A
// component's rectangle is taken as root-window coordinates unchanged.
std::vector<WindowCell> windowCells(int rootWidth, int rootHeight,
                                    const std::vector<Component*>& emptyComponents);

// Ascending order of two ints, for qsort.
int intCompare(const void* a, const void* b);

}  // namespace ovek
