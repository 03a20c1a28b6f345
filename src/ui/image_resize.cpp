#include <algorithm>
#include <cmath>
#include <vector>

#include "ui/png_image.h"

namespace tovanel::ui {

namespace {

// How much of source pixel `index` falls into one destination pixel.
struct Share {
    int32_t index;
    double weight;
};

// For each destination pixel along one axis, the source pixels it covers and
// by how much (a box filter with partial pixels at both ends).
std::vector<std::vector<Share>> Shares(int32_t from, int32_t to) {
    std::vector<std::vector<Share>> shares(to);
    const double step = static_cast<double>(from) / to;
    for (int32_t d = 0; d < to; ++d) {
        const double begin = d * step;
        const double end = begin + step;
        const auto first = static_cast<int32_t>(std::floor(begin));
        const auto last = std::min(from, static_cast<int32_t>(std::ceil(end)));
        for (int32_t s = first; s < last; ++s) {
            const double covered = std::min<double>(end, s + 1) - std::max<double>(begin, s);
            if (covered > 0) shares[d].push_back({s, covered});
        }
    }
    return shares;
}

uint8_t ToByte(double value) {
    return static_cast<uint8_t>(std::clamp(std::lround(value), 0L, 255L));
}

}  // namespace

BgraImage Resized(const BgraImage& image, int32_t width, int32_t height) {
    if (width <= 0 || height <= 0 || image.width <= 0 || image.height <= 0) {
        return BgraImage{std::max(width, 0), std::max(height, 0), {}};
    }
    const auto columns = Shares(image.width, width);
    const auto rows = Shares(image.height, height);
    BgraImage out{width, height, std::vector<uint8_t>(size_t(4) * width * height)};
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            double colour[3] = {0, 0, 0};
            double alpha = 0, area = 0;
            for (const Share& row : rows[y]) {
                for (const Share& column : columns[x]) {
                    const double weight = row.weight * column.weight;
                    const uint8_t* p =
                        &image.pixels[(size_t(row.index) * image.width + column.index) * 4];
                    for (int c = 0; c < 3; ++c) colour[c] += p[c] * p[3] * weight;
                    alpha += p[3] * weight;
                    area += weight;
                }
            }
            uint8_t* q = &out.pixels[(size_t(y) * width + x) * 4];
            for (int c = 0; c < 3; ++c) q[c] = alpha > 0 ? ToByte(colour[c] / alpha) : 0;
            q[3] = ToByte(alpha / area);
        }
    }
    return out;
}

}  // namespace tovanel::ui
