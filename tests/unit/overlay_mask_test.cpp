#include "core/overlay_mask.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ardentix {
namespace {

// A picture as rows of characters: '.' is black, anything else a colour. The result shows the
// mask the same way: '#' where the overlay covers the photograph, '.' where it does not.
std::vector<std::string> maskOf(const std::vector<std::string>& rows, MaskSeed seed) {
    const int height = static_cast<int>(rows.size());
    const int width = static_cast<int>(rows[0].size());
    std::vector<uint8_t> black;
    for (const std::string& row : rows) {
        for (char c : row)
            black.push_back(c == '.');
    }
    const std::vector<uint8_t> mask = OverlayMask(width, height, black, seed);
    std::vector<std::string> shown(static_cast<size_t>(height), std::string(width, '?'));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            shown[y][x] = mask[static_cast<size_t>(y * width + x)] == 0 ? '#' : '.';
    }
    return shown;
}

// A ring-shaped object with two dark holes: the hole that holds the seed is part of the object,
// the other one and the background are not. Corner-to-corner contact does not join black areas.
TEST(OverlayMask, TheSeedsBlackAreaCoversAndOtherBlackShowsThrough) {
    const std::vector<std::string> picture = {
        ".........",  //
        ".ooooooo.",  //
        ".o..o..o.",  //
        ".o..o..o.",  //
        ".ooooooo.",  //
        "........o",  //
    };
    // Seeded at (2, 2), in the left hole.
    EXPECT_EQ(maskOf(picture, {false, 2, 2}), (std::vector<std::string>{
                                                  ".........",  //
                                                  ".#######.",  //
                                                  ".####..#.",  //
                                                  ".####..#.",  //
                                                  ".#######.",  //
                                                  "........#",  //
                                              }));
    // From the centre (4, 3), one right and one up: (5, 2), the right hole.
    EXPECT_EQ(maskOf(picture, {true, 1, -1}), (std::vector<std::string>{
                                                  ".........",  //
                                                  ".#######.",  //
                                                  ".#..####.",  //
                                                  ".#..####.",  //
                                                  ".#######.",  //
                                                  "........#",  //
                                              }));
    // Seeded on the object itself, or outside the picture: only the object covers.
    const std::vector<std::string> objectOnly = {
        ".........",  //
        ".#######.",  //
        ".#..#..#.",  //
        ".#..#..#.",  //
        ".#######.",  //
        "........#",  //
    };
    EXPECT_EQ(maskOf(picture, {true, 0, 0}), objectOnly);
    EXPECT_EQ(maskOf(picture, {false, 9, 1}), objectOnly);
    // Seeded on the background: the whole background covers (drawn black), which is why the
    // pictures keep their seed points on the object.
    EXPECT_EQ(maskOf(picture, {false, 0, 0})[0], "#########");
}

}  // namespace
}  // namespace ardentix
