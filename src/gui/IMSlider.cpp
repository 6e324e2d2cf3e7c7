#include "gui/IMSlider.h"

#include <algorithm>
#include <cmath>

namespace pestrol {

IMSlider::IMSlider(IMDialog* parent, const Rect& rect) : IMScroll(parent, kHorizontal, rect, false)
{
    GetThumb()->SetButtonImages(L"SliderSliderHorizontal", L"", L"SliderSliderHorizontalHover",
                                L"");
    Layout();
}

long IMSlider::Layout()
{
    const std::int32_t w = GetWidth();
    const std::int32_t h = GetHeight();
    GetBackground()->SetRect({0, 0, w, h});
    IMButton* thumb = GetThumb();
    const std::int32_t x = IsBusy() ? thumb->GetRect().left
                                    : std::int32_t(std::int64_t(w - h / 2) * GetValue() / Span());
    thumb->SetRect({x, 0, x + h / 2, h});
    return 0;
}

long IMSlider::OnThumbMouse(const IMMouseEvent& e)
{
    StartOrEndDrag(e);
    if (e.IsCode(msg::kMouseMove) && IsDraggingThumb()) {
        const std::int32_t w = GetWidth();
        const std::int32_t travel = w - GetHeight() / 2;
        IMButton* thumb = GetThumb();
        std::int32_t x = thumb->GetRect().left + (e.m_x - Anchor().x);
        x = std::min(std::max(x, 0), w - thumb->GetWidth());
        if (travel > 0) {
            const auto value = std::int32_t(std::floor(double(Span()) * x / travel + 0.5));
            if (value != GetValue())
                SetValue(value);
        }
        thumb->MoveTo(x, 0);
        SetAnchor(e);
    }
    Layout();
    return 0;
}

}  // namespace pestrol
