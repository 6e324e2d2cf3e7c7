#include "gui/IMButtonBase.h"

#include <boost/bind/bind.hpp>

namespace pestrol {

template <class View>
IMButtonBase<View>::IMButtonBase(IMDialog* parent, std::int32_t layer)
    : IMViewControl<View>(parent, layer)
{
    const auto update = boost::bind(&IMButtonBase::UpdateState, this);
    this->MouseButton.connect(update);
    this->MouseEntered.connect(update);
    this->MouseLeft.connect(update);
    this->Disabled.connect(update);
    this->Enabled.connect(update);
    this->Hidden.connect(update);
    this->Shown.connect(update);
}

template <class View>
long IMButtonBase<View>::Disable()
{
    IMViewControl<View>::Disable();
    return UpdateState();
}

template <class View>
long IMButtonBase<View>::Enable()
{
    IMViewControl<View>::Enable();
    return UpdateState();
}

template <class View>
long IMButtonBase<View>::Show()
{
    IMViewControl<View>::Show();
    return UpdateState();
}

template <class View>
long IMButtonBase<View>::UpdateState()
{
    if (this->IsHidden())
        return 0;
    std::int32_t state = View::kNormal;
    if (!this->IsEnabled())
        state = View::kDisabled;
    else if (this->IsMouseOver())
        state = this->IsPressed() ? View::kPressed : View::kHover;
    if (state != this->GetState())
        this->SetState(state);
    return 0;
}

template <class View>
void IMButtonBase<View>::SetButtonImages(const std::wstring& normal, const std::wstring& disabled,
                                         const std::wstring& hover, const std::wstring& pressed)
{
    this->SetStateImages(normal, disabled, hover, pressed);
    this->SetRect(this->GetSourceRect());
}

template class IMButtonBase<IMStateView>;

}  // namespace pestrol
