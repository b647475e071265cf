#include "toolkit/window_cells.h"

#include "base/saturate.h"
#include <algorithm>
#include <climits>
#include <cstdlib>

namespace ovek {

namespace {

bool covers(const std::vector<Component*>& emptyComponents, int x, int y)
{
    for (const Component* c : emptyComponents)
        if (c->visible && c->left <= x && x < (long long)c->left + c->width && c->top <= y &&
            y < (long long)c->top + c->height)
            return true;
    return false;
}

}  // namespace

int intCompare(const void* a, const void* b)
{
    // Not a difference: that overflows for far-apart values.
    const int x = *static_cast<const int*>(a), y = *static_cast<const int*>(b);
    return (x > y) - (x < y);
}

std::vector<WindowCell> windowCells(int rootWidth, int rootHeight,
                                    const std::vector<Component*>& emptyComponents)
{
    std::vector<int> xs{0, rootWidth}, ys{0, rootHeight};
    for (const Component* c : emptyComponents) {
        xs.push_back(c->left);
        xs.push_back(saturateInt((long long)c->left + c->width));
        ys.push_back(c->top);
        ys.push_back(saturateInt((long long)c->top + c->height));
    }
    std::qsort(xs.data(), xs.size(), sizeof(int), intCompare);
    std::qsort(ys.data(), ys.size(), sizeof(int), intCompare);

    std::vector<WindowCell> cells;
    for (size_t j = 0; j + 1 < xs.size(); ++j)
        for (size_t k = 0; k + 1 < ys.size(); ++k)
            if (!covers(emptyComponents, xs[j], ys[k]))
                cells.push_back({xs[j], ys[k], saturateInt((long long)xs[j + 1] - xs[j] + 1),
                                 saturateInt((long long)ys[k + 1] - ys[k] + 1)});
    return cells;
}

}  // namespace ovek
