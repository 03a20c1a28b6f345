#include "icon_matcher.h"

#include <cstdlib>
#include <utility>
#include <vector>

namespace e2edriver {
namespace {

// A 32-bit top-down bitmap in a memory DC; owns both.
class PixelCanvas {
  public:
    PixelCanvas(int width, int height) : width_(width), height_(height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_),
                                   nullptr, 0);
        if (dc_ && bitmap_) old_ = SelectObject(dc_, bitmap_);
    }
    PixelCanvas(const PixelCanvas&) = delete;
    PixelCanvas& operator=(const PixelCanvas&) = delete;
    ~PixelCanvas() {
        if (old_) SelectObject(dc_, old_);
        if (bitmap_) DeleteObject(bitmap_);
        if (dc_) DeleteDC(dc_);
    }
    bool Valid() const { return bits_ != nullptr && old_ != nullptr; }
    HDC Dc() const { return dc_; }
    DWORD At(int x, int y) const { return bits_[y * width_ + x] & 0xFFFFFF; }
    void Fill(COLORREF color) {
        RECT all{0, 0, width_, height_};
        HBRUSH brush = CreateSolidBrush(color);
        FillRect(dc_, &all, brush);
        DeleteObject(brush);
    }

  private:
    int width_, height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    DWORD* bits_ = nullptr;
};

int ColorDistance(DWORD a, DWORD b) {
    int d = 0;
    for (int shift = 0; shift < 24; shift += 8)
        d +=
            std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF));
    return d;
}

// Share of the icon's opaque pixels that the screen shows in the icon's colour.
double MatchScore(const PixelCanvas& screen, int width, int height, HICON icon, POINT at) {
    const int size = GetSystemMetrics(SM_CXICON);
    PixelCanvas onBlack(width, height), onWhite(width, height);
    if (!onBlack.Valid() || !onWhite.Valid()) return 0;
    onBlack.Fill(RGB(0, 0, 0));
    onWhite.Fill(RGB(255, 255, 255));
    DrawIconEx(onBlack.Dc(), at.x, at.y, icon, size, size, 0, nullptr, DI_NORMAL);
    DrawIconEx(onWhite.Dc(), at.x, at.y, icon, size, size, 0, nullptr, DI_NORMAL);
    int opaque = 0, matching = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const DWORD pixel = onBlack.At(x, y);
            if (ColorDistance(pixel, onWhite.At(x, y)) > 8) continue;  // see-through here
            ++opaque;
            if (ColorDistance(pixel, screen.At(x, y)) <= 48) ++matching;
        }
    }
    return opaque < 32 ? 0 : static_cast<double>(matching) / opaque;
}

}  // namespace

std::string MatchStandardIcon(const RECT& screenRect) {
    const int width = screenRect.right - screenRect.left;
    const int height = screenRect.bottom - screenRect.top;
    if (width <= 0 || height <= 0) return "unknown";
    PixelCanvas screen(width, height);
    if (!screen.Valid()) return "unknown";
    HDC desktop = GetDC(nullptr);
    BitBlt(screen.Dc(), 0, 0, width, height, desktop, screenRect.left, screenRect.top, SRCCOPY);
    ReleaseDC(nullptr, desktop);

    const std::pair<const char*, LPCTSTR> candidates[] = {{"error", IDI_HAND},
                                                          {"warning", IDI_EXCLAMATION},
                                                          {"information", IDI_ASTERISK},
                                                          {"question", IDI_QUESTION}};
    const int size = GetSystemMetrics(SM_CXICON);
    // A static draws its icon at the corner, or centred with SS_CENTERIMAGE.
    const POINT placements[] = {{0, 0}, {(width - size) / 2, (height - size) / 2}};
    std::string best = "unknown";
    double bestScore = 0.85;  // below this, call it unknown
    for (const auto& [name, id] : candidates) {
        HICON icon = LoadIcon(nullptr, id);
        for (POINT at : placements) {
            const double score = MatchScore(screen, width, height, icon, at);
            if (score > bestScore) {
                bestScore = score;
                best = name;
            }
        }
    }
    return best;
}

}  // namespace e2edriver
