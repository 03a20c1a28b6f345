#include "ui/resource_image.h"

#include <cstring>

namespace tovanel::ui {

std::optional<BgraImage> LoadPngResource(HINSTANCE instance, int id) {
    HRSRC info = FindResourceA(instance, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(10));  // RT_RCDATA
    if (info == nullptr) return std::nullopt;
    HGLOBAL loaded = LoadResource(instance, info);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (bytes == nullptr) return std::nullopt;
    return DecodePng(static_cast<const uint8_t*>(bytes), SizeofResource(instance, info));
}

namespace {

UniqueBitmap MakeDibSection(const BgraImage& image, WORD bits_per_pixel, void** bits) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = image.width;
    info.bmiHeader.biHeight = -image.height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = bits_per_pixel;
    info.bmiHeader.biCompression = BI_RGB;
    *bits = nullptr;
    UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0));
    if (*bits == nullptr) bitmap.Reset();
    return bitmap;
}

}  // namespace

UniqueBitmap MakeBitmap(const BgraImage& image) {
    void* bits;
    UniqueBitmap bitmap = MakeDibSection(image, 32, &bits);
    if (bitmap) std::memcpy(bits, image.pixels.data(), image.pixels.size());
    return bitmap;
}

UniqueBitmap MakeOpaqueBitmap(const BgraImage& image) {
    void* bits;
    UniqueBitmap bitmap = MakeDibSection(image, 24, &bits);
    if (!bitmap) return bitmap;
    const size_t stride = (static_cast<size_t>(image.width) * 3 + 3) & ~size_t(3);
    for (int32_t y = 0; y < image.height; ++y) {
        uint8_t* row = static_cast<uint8_t*>(bits) + y * stride;
        const uint8_t* from = image.pixels.data() + static_cast<size_t>(y) * image.width * 4;
        for (int32_t x = 0; x < image.width; ++x) std::memcpy(row + x * 3, from + x * 4, 3);
    }
    return bitmap;
}

}  // namespace tovanel::ui
