#pragma once
// Fields and pictures made up for the engine tests.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <memory>
#include <random>

#include "engine/object_model.h"
#include "image/image.h"

namespace enginetest {

// A depth field given by a function.
class FunctionField : public ObjectModel {
public:
    explicit FunctionField(std::function<double(double, double)> f) : f_(std::move(f)) {}
    double height(double x, double y) const override { return f_(x, y); }

private:
    std::function<double(double, double)> f_;
};

inline std::unique_ptr<ObjectModel> field(std::function<double(double, double)> f)
{
    return std::make_unique<FunctionField>(std::move(f));
}

// A picture whose pixel (x, y) holds the bytes fn(x, y) returns packed as
// red << 16 | green << 8 | blue.
inline std::unique_ptr<ovek::Image> picture(int w, int h, const std::function<int(int, int)>& fn)
{
    auto img = std::make_unique<ovek::Image>(nullptr, w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const int p = fn(x, y);
            img->setColor(x, y, p & 255, (p >> 8) & 255, (p >> 16) & 255);
        }
    }
    return img;
}

// A pattern of random colours, the same on every run.
inline std::unique_ptr<ovek::Image> randomPattern(int w, int h, uint32_t seed = 7)
{
    std::mt19937 rng(seed);
    return picture(w, h, [&](int, int) { return int(rng() & 0xFFFFFF); });
}

// A viewer of type V seeded from a random pattern, with the seeded red plane
// kept for comparison.
template <class V>
class SeededViewerTest : public ::testing::Test {
protected:
    void seed(int w, int h, int patternWidth)
    {
        pattern = randomPattern(patternWidth, 7);
        v.init(w, h, pattern.get());
        seedR = v.planeR;
    }
    int seedRed(int column, int row) const { return seedR[size_t(column) * size_t(v.height) + size_t(row)]; }
    bool columnKeptSeed(int column) const
    {
        for (int row = 0; row < v.height; ++row)
            if (v.getR(column, row) != seedRed(column, row))
                return false;
        return true;
    }
    std::unique_ptr<ovek::Image> pattern;
    V v;
    std::vector<int> seedR;
};

// Red value at fractional picture column s of a row of a plane with the given
// number of rows, interpolated and truncated like the colour copy.
inline double redAt(const std::vector<int>& plane, int rows, double s, int row)
{
    const int k = int(s);
    return std::trunc((k + 1 - s) * plane[size_t(k) * size_t(rows) + size_t(row)] +
                      (s - k) * plane[size_t(k + 1) * size_t(rows) + size_t(row)]);
}

}  // namespace enginetest
