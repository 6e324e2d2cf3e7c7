#pragma once

#include "gui/IMDialogBase.h"

#include <vector>

namespace pestrol {

class IMRadioButton;

// An invisible container of radio buttons that keeps at most one of them checked; also a
// plain container for check boxes.
class IMGroupBox : public IMDialog {
public:
    IMGroupBox(IMDialog* parent, const Rect& rect);

    // A radio button at (10, y), unchecked. Handlers connected to its `Checked` later run
    // after the group has unchecked the others.
    IMRadioButton* AddRadioButton(std::int32_t y);
    const std::vector<IMRadioButton*>& RadioButtons() const { return m_buttons; }

private:
    long OnButtonChecked(const IMEvent& e);

    std::vector<IMRadioButton*> m_buttons;
};

// A group box at (10, y) of `parent`, `width` by `height`, in layer 0.
IMGroupBox* CreateGroupBox(IMDialog* parent, std::int32_t y, std::int32_t width,
                           std::int32_t height);

}  // namespace pestrol
