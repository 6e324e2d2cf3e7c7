#include "gfx/IMStateView.h"

namespace pestrol {

void IMStateView::SetStateImages(const std::wstring& normal, const std::wstring& disabled,
    const std::wstring& hover, const std::wstring& pressed)
{
    auto orNormal = [&](const std::wstring& name) { return name.empty() ? normal : name; };
    m_images[kNormal] = normal;
    m_images[kDisabled] = orNormal(disabled);
    m_images[kHover] = orNormal(hover);
    m_images[kPressed] = orNormal(pressed);
    SetImage(GetStateImage(m_state));
}

void IMStateView::SetState(std::int32_t state)
{
    SetImage(GetStateImage(state));
    m_state = state;
}

std::wstring IMStateView::GetStateImage(std::int32_t state) const
{
    auto it = m_images.find(state);
    return it == m_images.end() ? std::wstring() : it->second;
}

} // namespace pestrol
