#pragma once
#include <cstdint>
#include <vector>

namespace ardentix {

// Where the transparency mask of an overlay picture is seeded: at a point of the picture, or
// relative to its centre.
struct MaskSeed {
    bool fromCentre = true;
    int x = 0;
    int y = 0;
};

// An overlay's picture lies on black. Its mask is made from the picture: the black area that
// holds the seed point (pixels of exactly black joined side by side) is filled white, the rest of
// the black stays black and every other pixel is white; then the mask is inverted. After the
// inversion the mask is black where the overlay covers the photograph (its object, and a dark
// part of the object that holds the seed) and white where the photograph shows through.
//
// black: one entry per pixel, row by row, non-zero where the picture's pixel is black. The
// result is the mask picture, one entry per pixel: 0 (black) where the overlay covers the
// photograph, 1 (white) where not. The mask files delivered with a picture read the same way.
// The seed of the same picture drawn at scale times its size: the same point of the object.
MaskSeed ScaledSeed(const MaskSeed& seed, int scale);

std::vector<uint8_t> OverlayMask(int width, int height, const std::vector<uint8_t>& black,
                                 const MaskSeed& seed);

}  // namespace ardentix
