#pragma once

#include "gfx/IMStateView.h"
#include "gui/IMViewControl.h"

#include <string>

namespace pestrol {

// A skinned push button: shows its normal, disabled, hover or pressed picture by itself as
// the mouse and the program change its flags. Clicks come from the base's `Clicked`.
template <class View>
class IMButtonBase : public IMViewControl<View> {
public:
    IMButtonBase(IMDialog* parent, std::int32_t layer);

    long Disable() override;
    long Enable() override;
    // A button shown again may have been disabled or enabled while hidden.
    long Show() override;
    // Picks the picture for the current flags; switches only when the state changes.
    virtual long UpdateState();

    // Empty names fall back to the normal picture; the button takes the picture's size at
    // (0, 0) and the caller places it.
    void SetButtonImages(const std::wstring& normal, const std::wstring& disabled,
                         const std::wstring& hover, const std::wstring& pressed);
};

extern template class IMButtonBase<IMStateView>;
using IMButton = IMButtonBase<IMStateView>;

}  // namespace pestrol
