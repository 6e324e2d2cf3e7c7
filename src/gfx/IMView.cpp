#include "gfx/IMView.h"

namespace pestrol {

void IMView::SetRect(const Rect& rect)
{
    if (rect == m_rect)
        return;
    m_rect = rect;
    SetDirty(true);
}

void IMView::SetSourceRect(const Rect& rect)
{
    if (rect == m_sourceRect)
        return;
    m_sourceRect = rect;
    SetDirty(true);
}

void IMView::MoveTo(Point point)
{
    SetRect({ point.x, point.y, point.x + GetWidth(), point.y + GetHeight() });
}

Point IMView::GetPosition() const
{
    const Rect r = GetRect();
    return { r.left, r.top };
}

void IMView::SetSize(std::int32_t width, std::int32_t height)
{
    const Rect r = GetRect();
    SetRect({ r.left, r.top, r.left + width, r.top + height });
}

} // namespace pestrol
