#include "gui/IMControl.h"

#include "gui/IMDialogBase.h"

namespace pestrol {

namespace {
std::int32_t g_nextId = 0;

bool ButtonHeld(std::uint32_t flags)
{
    return (flags & (mk::kLButton | mk::kRButton | mk::kMButton)) != 0;
}
}  // namespace

IMControl::IMControl(IMDialog* parent, std::int32_t layer) : m_parent(parent), m_id(g_nextId++)
{
    if (m_parent != nullptr)
        m_parent->AddChild(this, layer);
}

IMControl::~IMControl() = default;

long IMControl::RaiseState(IMSignal<IMEvent>& signal, std::uint32_t code)
{
    return Raise(signal, IMEvent(this, code), this);
}

long IMControl::SetFocused(bool focused)
{
    if (!m_focusable || focused == m_focused)
        return 0;
    return focused ? HandleFocusIn(IMEvent(this, code::kFocusIn))
                   : HandleFocusOut(IMEvent(this, code::kFocusOut));
}

long IMControl::Disable()
{
    RaiseState(Disabled, code::kStateChange);
    m_enabled = false;
    return 0;
}

long IMControl::Enable()
{
    RaiseState(Enabled, code::kStateChange);
    m_enabled = true;
    return 0;
}

long IMControl::Hide()
{
    RaiseState(Hidden, code::kStateChange);
    m_hidden = true;
    return 0;
}

long IMControl::Show()
{
    RaiseState(Shown, code::kStateChange);
    m_hidden = false;
    return 0;
}

long IMControl::Close()
{
    const IMEvent e(this, code::kClose);
    Raise(Closed, e, this);
    return HandleClose(e);
}

void IMControl::SetDirty(bool dirty)
{
    if (!dirty)
        return;
    RaiseState(Invalidated, code::kStateChange);
    // A control shown, hidden or moved under a still mouse gets its enter or leave.
    if (m_parent != nullptr) {
        const Point mouse = m_parent->GetLastMousePosition();
        m_parent->UpdateMouseOver(IMMouseEvent(this, msg::kMouseMove, 0, mouse.x, mouse.y));
    }
}

long IMControl::SetFocusable(bool focusable)
{
    m_focusable = focusable;
    return 0;
}

long IMControl::HandleMouseMove(const IMMouseEvent& e)
{
    return Raise(MouseMoved, e, this);
}

long IMControl::HandleMouseButton(const IMMouseEvent& e)
{
    const bool up = e.IsCode(msg::kLButtonUp) || e.IsCode(msg::kRButtonUp) ||
                    e.IsCode(msg::kMButtonUp);
    if (m_pressed && up) {
        const std::uint32_t click = e.IsCode(msg::kLButtonUp)   ? code::kLeftClick
                                    : e.IsCode(msg::kRButtonUp) ? code::kRightClick
                                                                : code::kMiddleClick;
        if (m_enabled)
            Raise(Clicked, IMMouseEvent(this, click, e.m_wParam, e.m_x, e.m_y), this);
    }
    if (e.IsCode(msg::kMouseWheel)) {
        const std::uint32_t low = e.m_wParam & 0xFFFF;
        m_pressed = low == mk::kLButton || low == mk::kRButton || low == mk::kMButton;
    } else {
        m_pressed = ButtonHeld(e.m_wParam);
    }
    if (m_enabled)
        Raise(MouseButton, e, this);
    if (m_enabled && e.IsCode(msg::kLButtonDblClk))
        Raise(DoubleClicked, e, this);
    return 0;
}

long IMControl::RaiseClick(const IMMouseEvent& e)
{
    return Raise(Clicked, e, this);
}

long IMControl::HandleMouseEnter(const IMMouseEvent& e)
{
    m_mouseOver = true;
    return Raise(MouseEntered, e, this);
}

long IMControl::HandleMouseLeave(const IMMouseEvent& e)
{
    m_mouseOver = false;
    return Raise(MouseLeft, e, this);
}

long IMControl::HandleKey(const IMKeyboardEvent& e)
{
    if (e.IsCode(msg::kKeyDown) || e.IsCode(msg::kSysKeyDown))
        Raise(KeyDown, e, this);
    else if (e.IsCode(msg::kKeyUp) || e.IsCode(msg::kSysKeyUp))
        Raise(KeyUp, e, this);
    return Raise(KeyMessage, e, this);
}

long IMControl::HandleDraw(const IMEvent&)
{
    DrawView();
    SetDirty(false);
    return RaiseState(Drawn, code::kDraw);
}

long IMControl::HandleIdle(const IMEvent&)
{
    Update();
    return RaiseState(Idled, code::kIdle);
}

long IMControl::HandleClose(const IMEvent&)
{
    Detach();
    return 0;
}

long IMControl::HandleFocusIn(const IMEvent&)
{
    if (!m_focusable)
        return 0;
    m_focused = true;
    return RaiseState(FocusGained, code::kFocusIn);
}

long IMControl::HandleFocusOut(const IMEvent&)
{
    if (!m_focusable)
        return 0;
    m_focused = false;
    return RaiseState(FocusLost, code::kFocusOut);
}

long IMControl::Detach()
{
    // The focus notifications stay, so that the parent still hears of a closing child's
    // focus; every other handler goes, so a control cannot be closed twice with effect.
    for (auto* signal : {&Drawn, &Closed, &Idled, &Disabled, &Enabled, &Hidden, &Shown,
                         &Invalidated})
        signal->disconnect_all_slots();
    for (auto* signal : {&MouseMoved, &MouseButton, &Clicked, &MouseEntered, &MouseLeft,
                         &DoubleClicked})
        signal->disconnect_all_slots();
    for (auto* signal : {&KeyMessage, &KeyDown, &KeyUp})
        signal->disconnect_all_slots();
    if (m_parent != nullptr)
        m_parent->RemoveChild(this);
    return 0;
}

}  // namespace pestrol
