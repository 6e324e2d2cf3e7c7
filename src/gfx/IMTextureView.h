#pragma once

#include "gfx/IMView.h"
#include "gfx/TextureRegistry.h"
#include "platform/Colour.h"

#include <string_view>

namespace pestrol {

// One registered picture, tinted and optionally rotated. The view holds exactly one
// reference to the picture it shows. Hit only where the picture is opaque enough.
class IMTextureView : public IMView {
public:
    IMTextureView() = default;
    ~IMTextureView() override;
    IMTextureView(const IMTextureView&) = delete;
    IMTextureView& operator=(const IMTextureView&) = delete;

    // A skin name, a resource number or a file path. A name that yields no picture leaves
    // the view without one.
    void SetImage(std::wstring_view name);
    void SetImageIndex(TextureIndex index);
    bool HasTexture() const { return m_hasTexture; }
    TextureIndex GetTextureIndex() const { return m_texture; }
    Colour GetColour() const { return colour; }

    void Draw() override;
    bool HitTest(Point point) override;

    // Set directly, followed by SetDirty(true).
    Colour colour = kWhite;
    float angle = 0; // radians
    std::int32_t hitThreshold = 255;

private:
    void Show(TextureIndex index);
    void Drop();

    TextureIndex m_texture = 0;
    bool m_hasTexture = false;
};

} // namespace pestrol
