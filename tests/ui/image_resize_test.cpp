// The artwork drawn at other scales: each pixel the alpha-weighted average of
// the area it covers.
#include <gtest/gtest.h>

#include <vector>

#include "ui/png_image.h"

namespace tovanel::ui {
namespace {

// Opaque grey pixels of the given levels, one row.
BgraImage GreyRow(const std::vector<uint8_t>& levels) {
    BgraImage image{static_cast<int32_t>(levels.size()), 1, {}};
    for (uint8_t level : levels)
        image.pixels.insert(image.pixels.end(), {level, level, level, 255});
    return image;
}

TEST(ResizedTest, SameSizeKeepsEveryPixel) {
    const BgraImage image{2, 2, {1, 2, 3, 255, 40, 50, 60, 128, 7, 8, 9, 0, 200, 100, 0, 255}};
    const BgraImage same = Resized(image, 2, 2);
    EXPECT_EQ(same.pixels,
              (std::vector<uint8_t>{1, 2, 3, 255, 40, 50, 60, 128, 0, 0, 0, 0, 200, 100, 0, 255}));
}

TEST(ResizedTest, AveragesTheAreaEachPixelCovers) {
    // 3 -> 2: the first pixel covers 0 and half of 1, the second half of 1 and 2.
    EXPECT_EQ(Resized(GreyRow({0, 90, 180}), 2, 1).pixels,
              (std::vector<uint8_t>{30, 30, 30, 255, 150, 150, 150, 255}));
    // 4 x 2 -> 2 x 1: each pixel is the mean of a 2 x 2 block.
    BgraImage block = GreyRow({0, 100, 200, 40});
    const BgraImage second_row = GreyRow({20, 40, 60, 80});
    block.height = 2;
    block.pixels.insert(block.pixels.end(), second_row.pixels.begin(), second_row.pixels.end());
    EXPECT_EQ(Resized(block, 2, 1).pixels,
              (std::vector<uint8_t>{40, 40, 40, 255, 95, 95, 95, 255}));
}

TEST(ResizedTest, TransparentPixelsLendNoColour) {
    // Opaque red beside a transparent pixel whose colour bytes are green.
    const BgraImage edge{2, 1, {0, 0, 255, 255, 0, 255, 0, 0}};
    EXPECT_EQ(Resized(edge, 1, 1).pixels, (std::vector<uint8_t>{0, 0, 255, 128}));
    const BgraImage clear{2, 1, {9, 9, 9, 0, 9, 9, 9, 0}};
    EXPECT_EQ(Resized(clear, 1, 1).pixels, (std::vector<uint8_t>{0, 0, 0, 0}));
}

TEST(ResizedTest, EnlargesAndHandlesEmptySizes) {
    EXPECT_EQ(Resized(GreyRow({10, 250}), 4, 1).pixels,
              (std::vector<uint8_t>{10, 10, 10, 255, 10, 10, 10, 255, 250, 250, 250, 255, 250, 250,
                                    250, 255}));
    const BgraImage none = Resized(GreyRow({10}), 0, 3);
    EXPECT_EQ(none.width, 0);
    EXPECT_TRUE(none.pixels.empty());
    EXPECT_TRUE(Resized(BgraImage{}, 2, 2).pixels.empty());
}

}  // namespace
}  // namespace tovanel::ui
