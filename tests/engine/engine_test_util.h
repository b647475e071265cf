#pragma once
// Fields and pictures made up for the engine tests.
#include <cstdint>
#include <functional>
#include <memory>
#include <random>

#include "engine/ObjectModel.h"
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

}  // namespace enginetest
