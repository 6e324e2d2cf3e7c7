#include "gfx/IMTextureView.h"

#include "gfx/IMResourceManager.h"

#include <cmath>

namespace pestrol {

IMTextureView::~IMTextureView()
{
    Drop();
}

void IMTextureView::SetImage(std::wstring_view name)
{
    IMResourceManager& manager = *ResourceManager();
    const TextureIndex index = manager.LoadImage(name);
    if (index == manager.SlotCount()) {
        Drop();
        SetDirty(true);
        return;
    }
    Show(index);
    manager.ReleaseTexture(index);
}

void IMTextureView::SetImageIndex(TextureIndex index)
{
    if (ResourceManager()->GetRefCount(index) == 0) {
        Drop();
        SetDirty(true);
        return;
    }
    Show(index);
}

void IMTextureView::Show(TextureIndex index)
{
    if (m_hasTexture && index == m_texture)
        return;
    IMResourceManager& manager = *ResourceManager();
    manager.AddTextureRef(index);
    Drop();
    m_texture = index;
    m_hasTexture = true;
    SetSourceRect(manager.GetImageRect(index));
    SetDirty(true);
}

void IMTextureView::Drop()
{
    if (m_hasTexture && ResourceManager() != nullptr)
        ResourceManager()->ReleaseTexture(m_texture);
    m_hasTexture = false;
}

void IMTextureView::Draw()
{
    if (m_hasTexture) {
        const Rect source = GetSourceRect();
        ResourceManager()->DrawTexture(m_texture, GetRect(), &source, colour, angle);
    }
    SetDirty(false);
}

bool IMTextureView::HitTest(Point point)
{
    const Rect source = GetSourceRect();
    const Rect dest = GetRect();
    const float cx = float(dest.left + (dest.right - dest.left) / 2);
    const float cy = float(dest.top + (dest.bottom - dest.top) / 2);
    const float c = std::cos(-angle);
    const float s = std::sin(-angle);
    const float dx = float(point.x) - cx;
    const float dy = float(point.y) - cy;
    const auto x = static_cast<std::int32_t>(cx + c * dx - s * dy);
    const auto y = static_cast<std::int32_t>(cy + s * dx + c * dy);
    if (!dest.Contains(x, y) || !m_hasTexture)
        return false;
    const std::int32_t u = source.Width() * (x - dest.left) / dest.Width();
    const std::int32_t v = source.Height() * (y - dest.top) / dest.Height();
    if (!source.Contains(u, v))
        return false;
    const Colour pixel = ResourceManager()->GetTexturePixel(m_texture, u, v);
    return (AlphaOf(colour) / 255) * AlphaOf(pixel) >= hitThreshold;
}

} // namespace pestrol
