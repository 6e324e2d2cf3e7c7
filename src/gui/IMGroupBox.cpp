#include "gui/IMGroupBox.h"

#include "gui/IMCRButtons.h"

#include <boost/bind/bind.hpp>

namespace pestrol {

namespace {
constexpr std::int32_t kLeft = 10;
}

IMGroupBox::IMGroupBox(IMDialog* parent, const Rect& rect) : IMDialog(parent, rect, 0) {}

IMRadioButton* IMGroupBox::AddRadioButton(std::int32_t y)
{
    auto* button = new IMRadioButton(this, kLeft, y);
    using boost::placeholders::_1;
    button->Checked.connect(boost::bind(&IMGroupBox::OnButtonChecked, this, _1));
    m_buttons.push_back(button);
    return button;
}

long IMGroupBox::OnButtonChecked(const IMEvent& e)
{
    if (!e.Is(code::kChecked))
        return 0;
    for (IMRadioButton* button : m_buttons)
        if (button != e.m_sender)
            button->SetChecked(false);
    return 0;
}

IMGroupBox* CreateGroupBox(IMDialog* parent, std::int32_t y, std::int32_t width,
                           std::int32_t height)
{
    return new IMGroupBox(parent, {kLeft, y, kLeft + width, y + height});
}

}  // namespace pestrol
