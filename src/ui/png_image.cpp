#include "ui/png_image.h"

#include <png.h>

#include <cstring>

namespace tovanel::ui {

std::optional<BgraImage> DecodePng(const uint8_t* data, size_t size) {
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&png, data, size)) return std::nullopt;
    png.format = PNG_FORMAT_BGRA;
    BgraImage image;
    image.width = static_cast<int32_t>(png.width);
    image.height = static_cast<int32_t>(png.height);
    image.pixels.resize(PNG_IMAGE_SIZE(png));
    if (!png_image_finish_read(&png, nullptr, image.pixels.data(), 0, nullptr)) {
        png_image_free(&png);
        return std::nullopt;
    }
    return image;
}

namespace {

uint8_t Blend(uint8_t over, uint8_t under, uint8_t alpha) {
    return static_cast<uint8_t>((over * alpha + under * (255 - alpha) + 127) / 255);
}

}  // namespace

BgraImage OverBackground(const BgraImage& image, uint32_t rgb) {
    const uint8_t back[3] = {static_cast<uint8_t>(rgb), static_cast<uint8_t>(rgb >> 8),
                             static_cast<uint8_t>(rgb >> 16)};
    BgraImage out = image;
    for (size_t i = 0; i + 3 < out.pixels.size(); i += 4) {
        const uint8_t alpha = out.pixels[i + 3];
        for (int c = 0; c < 3; ++c) out.pixels[i + c] = Blend(out.pixels[i + c], back[c], alpha);
        out.pixels[i + 3] = 255;
    }
    return out;
}

BgraImage Premultiplied(const BgraImage& image) {
    BgraImage out = image;
    for (size_t i = 0; i + 3 < out.pixels.size(); i += 4) {
        const uint8_t alpha = out.pixels[i + 3];
        for (int c = 0; c < 3; ++c) out.pixels[i + c] = Blend(out.pixels[i + c], 0, alpha);
    }
    return out;
}

}  // namespace tovanel::ui
