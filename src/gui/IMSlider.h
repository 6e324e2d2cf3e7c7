#pragma once

#include "gui/IMScroll.h"

namespace pestrol {

// A horizontal slider: a half-square thumb dragged along a background, no arrows. On
// release the thumb snaps to the place of its value.
class IMSlider : public IMScroll {
public:
    IMSlider(IMDialog* parent, const Rect& rect);

    long OnThumbMouse(const IMMouseEvent& e) override;
    long Layout() override;
};

}  // namespace pestrol
