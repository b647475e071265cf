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
