#include "gui/IMCRButtons.h"

#include <boost/bind/bind.hpp>

namespace pestrol {

IMCRButtons::IMCRButtons(IMDialog* parent, std::int32_t x, std::int32_t y,
                         IMCRButtonImages images)
    : IMViewControl<IMTextureView>(parent, 0), m_images(std::move(images))
{
    SetImage(m_images.unchecked);
    SetRect({x, y, x + kSize, y + kSize});
    using boost::placeholders::_1;
    Clicked.connect(boost::bind(&IMCRButtons::OnClick, this, _1));
}

// The control base's own variants: the picture, not a plain redraw, shows the change.
long IMCRButtons::Disable()
{
    IMControl::Disable();
    SetImage(DisabledImage());
    return 0;
}

long IMCRButtons::Enable()
{
    IMControl::Enable();
    SetImage(EnabledImage());
    return 0;
}

long IMCRButtons::OnClick(const IMMouseEvent&)
{
    SetChecked(!m_checked);
    return 0;
}

void IMCRButtons::SetChecked(bool value)
{
    if (value == m_checked)
        return;
    m_checked = value;
    SetImage(EnabledImage());
    if (value)
        RaiseState(Checked, code::kChecked);
    else
        RaiseState(Unchecked, code::kUnchecked);
}

const std::wstring& IMCRButtons::EnabledImage() const
{
    return m_checked ? m_images.checked : m_images.unchecked;
}

const std::wstring& IMCRButtons::DisabledImage() const
{
    return m_checked ? m_images.disabledChecked : m_images.disabledUnchecked;
}

IMCheckBox::IMCheckBox(IMDialog* parent, std::int32_t x, std::int32_t y)
    : IMCRButtons(parent, x, y,
                  {L"CheckBoxChecked", L"CheckBoxUnchecked", L"CheckBoxDisChecked",
                   L"CheckBoxDisUnchecked"})
{
}

IMRadioButton::IMRadioButton(IMDialog* parent, std::int32_t x, std::int32_t y)
    : IMCRButtons(parent, x, y,
                  {L"RadioButtonChecked", L"RadioButtonUnchecked", L"RadioButtonDisChecked",
                   L"RadioButtonDisUnchecked"})
{
}

long IMRadioButton::OnClick(const IMMouseEvent&)
{
    if (!IsChecked())
        SetChecked(true);
    return 0;
}

IMCheckBox* CreateCheckBox(IMDialog* parent, std::int32_t x, std::int32_t y)
{
    return new IMCheckBox(parent, x, y);
}

}  // namespace pestrol
