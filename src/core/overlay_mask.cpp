#include "core/overlay_mask.h"

#include <cstddef>

namespace ardentix {

MaskSeed ScaledSeed(const MaskSeed& seed, int scale) {
    return {seed.fromCentre, seed.x * scale, seed.y * scale};
}

std::vector<uint8_t> OverlayMask(int width, int height, const std::vector<uint8_t>& black,
                                 const MaskSeed& seed) {
    const size_t count =
        static_cast<size_t>(width > 0 ? width : 0) * static_cast<size_t>(height > 0 ? height : 0);
    // White (1) where the picture is not black.
    std::vector<uint8_t> mask(count, 0);
    for (size_t i = 0; i < count && i < black.size(); ++i)
        mask[i] = black[i] ? 0 : 1;
    for (size_t i = black.size(); i < count; ++i)
        mask[i] = 1;
    // The black area that holds the seed point is filled white.
    const int x0 = seed.fromCentre ? width / 2 + seed.x : seed.x;
    const int y0 = seed.fromCentre ? height / 2 + seed.y : seed.y;
    if (x0 >= 0 && y0 >= 0 && x0 < width && y0 < height) {
        std::vector<size_t> todo;
        const auto visit = [&](int x, int y) {
            const size_t at =
                static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x);
            if (mask[at] == 0) {
                mask[at] = 1;
                todo.push_back(at);
            }
        };
        visit(x0, y0);
        while (!todo.empty()) {
            const size_t at = todo.back();
            todo.pop_back();
            const int x = static_cast<int>(at % static_cast<size_t>(width));
            const int y = static_cast<int>(at / static_cast<size_t>(width));
            if (x > 0) visit(x - 1, y);
            if (x + 1 < width) visit(x + 1, y);
            if (y > 0) visit(x, y - 1);
            if (y + 1 < height) visit(x, y + 1);
        }
    }
    // Inverted: black now marks what covers the photograph.
    for (uint8_t& m : mask)
        m = m ? 0 : 1;
    return mask;
}

}  // namespace ardentix
