// Layouts are written in 96-DPI units (100 % scale) and turned into pixels for
// the monitor a window is on. Portable, so every derived number is tested natively.
#pragma once

#include <cstdint>

namespace tovanel::ui {

// The DPI at which the layouts' numbers are pixels.
inline constexpr int kBaseDpi = 96;

// value * numerator / denominator rounded to the nearest integer, halves away
// from zero: what Win32's MulDiv gives, so our numbers match the system's own
// scaling (for instance the rectangle WM_DPICHANGED suggests). Like MulDiv,
// -1 for a zero denominator or a result beyond int.
constexpr int MulDivRounded(int value, int numerator, int denominator) {
    if (denominator == 0) return -1;
    const int64_t product = int64_t{value} * numerator;
    const bool negative = (product < 0) != (denominator < 0);
    const int64_t magnitude = product < 0 ? -product : product;
    const int64_t divisor = denominator < 0 ? -int64_t{denominator} : denominator;
    const int64_t rounded = (magnitude + divisor / 2) / divisor;
    if (rounded > INT32_MAX) return -1;
    return static_cast<int>(negative ? -rounded : rounded);
}

// A 96-DPI length or position in pixels at `dpi`.
constexpr int ScaleToDpi(int value96, int dpi) {
    return dpi == kBaseDpi ? value96 : MulDivRounded(value96, dpi, kBaseDpi);
}

// A length measured at one DPI, carried to another.
constexpr int RescaleDpi(int value, int from_dpi, int to_dpi) {
    return from_dpi == to_dpi ? value : MulDivRounded(value, to_dpi, from_dpi);
}

struct LayoutRect {
    int left, top, width, height;
    friend constexpr bool operator==(const LayoutRect& a, const LayoutRect& b) {
        return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height;
    }
};

// Each of the four numbers is scaled on its own, as the layout tables give them.
constexpr LayoutRect ScaleToDpi(const LayoutRect& rect96, int dpi) {
    return {ScaleToDpi(rect96.left, dpi), ScaleToDpi(rect96.top, dpi),
            ScaleToDpi(rect96.width, dpi), ScaleToDpi(rect96.height, dpi)};
}

}  // namespace tovanel::ui
