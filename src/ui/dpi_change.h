// Where a window and its controls go when it moves to a monitor of another
// scale (WM_DPICHANGED). Portable: the crossing of monitors, which Wine cannot
// show, is tested natively.
#pragma once

#include "ui/dpi_scale.h"

namespace tovanel::ui {

// Which of a control's numbers others set from the panel's height (docking,
// the follow switch) rather than the form.
enum class FollowsPanelHeight { kNothing, kHeight, kTop };

// A control at `to_dpi`: its form place scaled, except the number that follows
// the panel's height, whose current value is carried over to the new scale.
constexpr LayoutRect ControlRectAtNewDpi(const LayoutRect& form96, const LayoutRect& current,
                                         FollowsPanelHeight follows, int from_dpi, int to_dpi) {
    LayoutRect place = ScaleToDpi(form96, to_dpi);
    if (follows == FollowsPanelHeight::kHeight) {
        place.height = RescaleDpi(current.height, from_dpi, to_dpi);
    }
    if (follows == FollowsPanelHeight::kTop) place.top = RescaleDpi(current.top, from_dpi, to_dpi);
    return place;
}

// The panel at `to_dpi`. Docked, the docking decides its left, top and height
// on its next tick, so it keeps them and takes its scaled width; otherwise it
// takes the rectangle Windows suggests, which keeps it under the cursor and on
// the monitor it moved to.
constexpr LayoutRect PanelRectAtNewDpi(bool docked, const LayoutRect& current,
                                       const LayoutRect& suggested, int width96, int to_dpi) {
    if (!docked) return suggested;
    return {current.left, current.top, ScaleToDpi(width96, to_dpi), current.height};
}

}  // namespace tovanel::ui
