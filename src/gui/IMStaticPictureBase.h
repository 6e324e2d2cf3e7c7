#pragma once

#include "gfx/IMTextView.h"
#include "gfx/IMTextureView.h"
#include "gui/IMViewControl.h"

#include <concepts>
#include <string_view>

namespace pestrol {

// A still picture (with a texture view) or a fixed caption (with a text view): it draws its
// view and raises the base notifications, nothing else.
template <class View>
class IMStaticPictureBase : public IMViewControl<View> {
public:
    IMStaticPictureBase(IMDialog* parent, std::int32_t layer) : IMViewControl<View>(parent, layer)
    {
    }

    // Shows the picture at its own size, keeping the position's origin at (0, 0).
    void SetPictureImage(std::wstring_view name)
        requires std::derived_from<View, IMTextureView>
    {
        this->SetImage(name);
        this->SetRect(this->GetSourceRect());
    }
};

using IMPicture = IMStaticPictureBase<IMTextureView>;
using IMCaption = IMStaticPictureBase<IMTextView>;

}  // namespace pestrol
