#pragma once

#include "gfx/IMTextureView.h"
#include "gui/IMViewControl.h"

#include <string>

namespace pestrol {

// The pictures of a check box or radio button: enabled and disabled, checked and not.
struct IMCRButtonImages {
    std::wstring checked;
    std::wstring unchecked;
    std::wstring disabledChecked;
    std::wstring disabledUnchecked;
};

// A 16 by 16 skinned control that is checked or not and tells each change.
class IMCRButtons : public IMViewControl<IMTextureView> {
public:
    static constexpr std::int32_t kSize = 16;

    // Placed at (x, y), unchecked, showing the unchecked picture.
    IMCRButtons(IMDialog* parent, std::int32_t x, std::int32_t y, IMCRButtonImages images);

    long Disable() override;
    long Enable() override;
    // Any mouse button clicks, while enabled.
    virtual long OnClick(const IMMouseEvent& e);

    // Raises `Checked` or `Unchecked` only when the value changes.
    void SetChecked(bool value);
    bool IsChecked() const { return m_checked; }

    IMSignal<IMEvent> Unchecked;
    IMSignal<IMEvent> Checked;

private:
    const std::wstring& EnabledImage() const;
    const std::wstring& DisabledImage() const;

    bool m_checked = false;
    IMCRButtonImages m_images;
};

// A yes-or-no choice: a click toggles it.
class IMCheckBox : public IMCRButtons {
public:
    IMCheckBox(IMDialog* parent, std::int32_t x, std::int32_t y);
};

// One choice of a group: a click checks it, a click on a checked one does nothing.
class IMRadioButton : public IMCRButtons {
public:
    IMRadioButton(IMDialog* parent, std::int32_t x, std::int32_t y);

    long OnClick(const IMMouseEvent& e) override;
};

// A check box at (x, y) of `parent`, in layer 0.
IMCheckBox* CreateCheckBox(IMDialog* parent, std::int32_t x, std::int32_t y);

}  // namespace pestrol
