#pragma once

#include "gui/IMControl.h"

namespace pestrol {

// A control joined with its view: the view's rectangle and dirty flag are the control's, so
// any change of the view marks the control for drawing.
template <class View>
class IMViewControl : public IMControl, public View {
public:
    IMViewControl(IMDialog* parent, std::int32_t layer) : IMControl(parent, layer), View() {}

    long Disable() override { IMControl::Disable(); SetDirty(true); return 0; }
    long Enable() override { IMControl::Enable(); SetDirty(true); return 0; }
    long Hide() override { IMControl::Hide(); SetDirty(true); return 0; }
    long Show() override { IMControl::Show(); SetDirty(true); return 0; }
    void SetDirty(bool dirty) override
    {
        View::SetDirty(dirty);
        IMControl::SetDirty(dirty);
    }
    bool IsDirty() const override { return View::IsDirty(); }
    bool HitTest(std::int32_t x, std::int32_t y) override
    {
        return !IsHidden() && View::HitTest(Point{x, y});
    }
    void SetRect(const Rect& rect) override { View::SetRect(rect); }
    Rect GetRect() const override { return View::GetRect(); }
    long DrawView() override
    {
        if (!IsHidden() && m_parent != nullptr)
            View::Draw();
        SetDirty(false);
        return 0;
    }
};

}  // namespace pestrol
