// PNG images linked into the executable, turned into Win32 bitmaps.
#pragma once

#include <windows.h>

#include <optional>

#include "ui/png_image.h"
#include "ui/win_handles.h"

namespace tovanel::ui {

// Decodes the RCDATA resource `id` of `instance`; empty when missing or not a PNG.
std::optional<BgraImage> LoadPngResource(HINSTANCE instance, int id);

// A top-down 32-bit DIB section holding the image's pixels as they are.
UniqueBitmap MakeBitmap(const BgraImage& image);

// A 24-bit DIB section of the image's colours, for controls that must not
// look at alpha.
UniqueBitmap MakeOpaqueBitmap(const BgraImage& image);

}  // namespace tovanel::ui
