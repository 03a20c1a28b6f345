// PNG images decoded from memory with libpng, for the logo and the list marks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace tovanel::ui {

// Top-down rows of pixels, 4 bytes each in the order blue, green, red, alpha.
struct BgraImage {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> pixels;
};

// Empty when the bytes are not a PNG that libpng can read.
std::optional<BgraImage> DecodePng(const uint8_t* data, size_t size);

// The image laid over an opaque background colour (0xRRGGBB).
BgraImage OverBackground(const BgraImage& image, uint32_t rgb);

// Colours multiplied by alpha, as 32-bit image lists draw them.
BgraImage Premultiplied(const BgraImage& image);

// The image at another size: each pixel the average of the area it covers,
// weighted by alpha so that transparent pixels lend no colour to the edges.
// Used to draw the artwork at display scales other than 100 %.
BgraImage Resized(const BgraImage& image, int32_t width, int32_t height);

}  // namespace tovanel::ui
