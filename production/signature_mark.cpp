#include "production/signature_mark.h"

#include "image/image.h"

void stampSignature(ovek::Image& result)
{
    const int count = int(sizeof signyyy / sizeof signyyy[0]);
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy)
            for (int k = 0; k < count; ++k) {
                const int x = signyyy[k] + 10, y = signxxx[k] + 20;
                if (1 < x && x < result.getWidth() && 1 < y && y <= 69)
                    result.setColor(x + dx, y + dy, 63, 63, 63);
            }
    for (int k = 0; k < count; ++k) {
        const int x = signyyy[k] + 10, y = signxxx[k] + 20;
        if (1 < x && x <= 599 && 1 < y && y <= 69)
            result.setColor(x, y, 238, 255, 198);
    }
}

void stampSignatureRow(uint8_t* row, int width, int y)
{
    auto paint = [&](int x, uint8_t first, uint8_t second, uint8_t third) {
        if (x >= 0 && x < width) {
            row[3 * x] = first;
            row[3 * x + 1] = second;
            row[3 * x + 2] = third;
        }
    };
    const int count = int(sizeof signyyy / sizeof signyyy[0]);
    if (y < 1 || y > 70)
        return;  // the outline of points in rows 2 .. 69 reaches rows 1 .. 70
    for (int k = 0; k < count; ++k) {
        const int x = signyyy[k] + 10, py = signxxx[k] + 20;
        if (1 < x && x < width && 1 < py && py <= 69 && py >= y - 1 && py <= y + 1)
            for (int dx = -1; dx <= 1; ++dx)
                paint(x + dx, 63, 63, 63);
    }
    for (int k = 0; k < count; ++k) {
        const int x = signyyy[k] + 10, py = signxxx[k] + 20;
        if (1 < x && x <= 599 && py == y && 1 < py && py <= 69)
            paint(x, 238, 255, 198);
    }
}
