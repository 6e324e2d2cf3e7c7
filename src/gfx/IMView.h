#pragma once

#include "platform/Rect.h"

#include <cstdint>

namespace pestrol {

// What a control looks like: where it is drawn (in its parent's drawing space), which part
// of its picture it shows and whether it must be drawn again. The size and position
// helpers go through SetRect and GetRect, so a control that answers those answers all.
class IMView {
public:
    virtual ~IMView() = default;
    virtual void SetRect(const Rect& rect);
    virtual Rect GetRect() const { return m_rect; }
    virtual void SetSourceRect(const Rect& rect);
    virtual Rect GetSourceRect() const { return m_sourceRect; }
    virtual void MoveTo(std::int32_t x, std::int32_t y) { MoveTo(Point { x, y }); }
    virtual void MoveTo(Point point);
    virtual Point GetPosition() const;
    virtual void SetSize(std::int32_t width, std::int32_t height);
    virtual std::int32_t GetHeight() const { return GetRect().Height(); }
    virtual std::int32_t GetWidth() const { return GetRect().Width(); }
    virtual void Draw() = 0;
    virtual bool HitTest(Point point) { return GetRect().Contains(point.x, point.y); }
    virtual bool IsDirty() const { return m_dirty; }
    virtual void SetDirty(bool dirty) { m_dirty = dirty; }

private:
    Rect m_rect;
    Rect m_sourceRect;
    bool m_dirty = false;
};

// The view of a control that draws nothing itself (a dialog: its children draw).
class IMEmptyView : public IMView {
public:
    void Draw() override { SetDirty(false); }
};

} // namespace pestrol
