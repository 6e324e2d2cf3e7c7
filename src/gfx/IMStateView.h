#pragma once

#include "gfx/IMTextureView.h"

#include <map>
#include <string>

namespace pestrol {

// A picture per control state: 0 normal, 1 disabled, 3 hover, 4 pressed.
class IMStateView : public IMTextureView {
public:
    static constexpr std::int32_t kNormal = 0;
    static constexpr std::int32_t kDisabled = 1;
    static constexpr std::int32_t kHover = 3;
    static constexpr std::int32_t kPressed = 4;

    // Empty names fall back to the normal picture; shows the current state's picture.
    void SetStateImages(const std::wstring& normal, const std::wstring& disabled,
        const std::wstring& hover, const std::wstring& pressed);
    // Seen from the next state change on.
    void SetHoverImage(const std::wstring& name) { m_images[kHover] = name; }
    void SetState(std::int32_t state);
    std::int32_t GetState() const { return m_state; }
    // Empty for a state without a picture.
    std::wstring GetStateImage(std::int32_t state) const;

private:
    std::int32_t m_state = kNormal;
    std::map<std::int32_t, std::wstring> m_images;
};

} // namespace pestrol
