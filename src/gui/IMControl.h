#pragma once

#include "gui/IMEvent.h"
#include "platform/Rect.h"

#include <cstdint>

namespace pestrol {

class IMEmptyView;
template <class View>
class IMDialogBase;
using IMDialog = IMDialogBase<IMEmptyView>;

// The base of everything on the screen: the parent link, the notifications, the state
// flags and the operations through which the tree is drawn, updated, closed and fed with
// input. A control adds itself to its parent when constructed and is deleted by that parent
// at the idle pass after it was closed; nothing else deletes it.
class IMControl : public IMTrackable {
public:
    IMControl(IMDialog* parent, std::int32_t layer);
    IMControl(const IMControl&) = delete;
    IMControl& operator=(const IMControl&) = delete;

    virtual ~IMControl();
    virtual void Reserved() {}
    virtual long SetFocused(bool focused);
    virtual long Disable();
    virtual long Enable();
    virtual long Hide();
    virtual long Show();
    virtual long Close();
    virtual void SetDirty(bool dirty);
    virtual bool IsDirty() const = 0;
    virtual bool IsFocusable() const { return m_focusable; }
    virtual long SetFocusable(bool focusable);
    virtual bool IsEnabled() const { return m_enabled; }
    virtual bool IsHidden() const { return m_hidden; }
    virtual bool IsMouseOver() const { return m_mouseOver; }
    virtual bool IsPressed() const { return m_pressed; }
    virtual bool IsFrozen() const { return m_frozen; }
    virtual bool HasFocus() const { return m_focused; }
    virtual bool HitTest(std::int32_t x, std::int32_t y) = 0;
    virtual long HandleMouseMove(const IMMouseEvent& e);
    virtual long HandleMouseButton(const IMMouseEvent& e);
    virtual long RaiseClick(const IMMouseEvent& e);
    virtual long HandleMouseEnter(const IMMouseEvent& e);
    virtual long HandleMouseLeave(const IMMouseEvent& e);
    virtual long HandleKey(const IMKeyboardEvent& e);
    virtual long HandleDraw(const IMEvent& e);
    virtual long HandleIdle(const IMEvent& e);
    virtual long HandleClose(const IMEvent& e);
    virtual long HandleFocusIn(const IMEvent& e);
    virtual long HandleFocusOut(const IMEvent& e);
    virtual void SetRect(const Rect& rect) = 0;
    virtual Rect GetRect() const = 0;
    virtual long Detach();
    virtual long DrawView() = 0;
    virtual long Update() { return 0; }

    IMDialog* GetParent() const { return m_parent; }
    std::int32_t GetId() const { return m_id; }

    IMSignal<IMEvent> Drawn;
    IMSignal<IMEvent> Closed;
    IMSignal<IMEvent> Idled;
    IMSignal<IMEvent> Disabled;
    IMSignal<IMEvent> Enabled;
    IMSignal<IMEvent> Hidden;
    IMSignal<IMEvent> Shown;
    IMSignal<IMEvent> Invalidated;
    IMSignal<IMEvent> FocusGained;
    IMSignal<IMEvent> FocusLost;
    IMSignal<IMMouseEvent> MouseMoved;
    IMSignal<IMMouseEvent> MouseButton;
    IMSignal<IMMouseEvent> Clicked;
    IMSignal<IMMouseEvent> MouseEntered;
    IMSignal<IMMouseEvent> MouseLeft;
    IMSignal<IMMouseEvent> DoubleClicked;
    IMSignal<IMKeyboardEvent> KeyMessage;
    IMSignal<IMKeyboardEvent> KeyDown;
    IMSignal<IMKeyboardEvent> KeyUp;

protected:
    // Raises `signal` with an event of this control as sender, when it has handlers.
    long RaiseState(IMSignal<IMEvent>& signal, std::uint32_t code);

    IMDialog* m_parent;
    bool m_mouseOver = false;
    bool m_pressed = false;
    bool m_enabled = true;
    bool m_hidden = false;
    bool m_focused = false;
    bool m_frozen = false;
    bool m_focusable = false;
    std::int32_t m_id;
};

}  // namespace pestrol
