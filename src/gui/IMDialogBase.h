#pragma once

#include "gfx/IMView.h"
#include "gui/IMViewControl.h"
#include "platform/Colour.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pestrol {

class IMStateView;
class IMTextureView;
class IMTextView;
template <class View>
class IMButtonBase;
template <class View>
class IMStaticPictureBase;

// The container of the toolkit: the main window, every screen and the composite controls.
// Children live in numbered layers (drawn in ascending order, hit from the highest down);
// they are merged in and deleted only between passes, so handlers may change the tree.
template <class View>
class IMDialogBase : public IMViewControl<View> {
public:
    using Layers = std::map<std::int32_t, std::vector<IMControl*>>;

    // Without a rectangle the dialog covers the whole back buffer.
    IMDialogBase(IMDialog* parent, std::optional<Rect> rect, std::int32_t layer);
    ~IMDialogBase() override;

    IMDialog* CreateDialog(std::int32_t x, std::int32_t y, std::int32_t width,
                           std::int32_t height, std::int32_t layer = 0);
    // A skinned button at its pictures' size; empty names fall back to the normal picture.
    IMButtonBase<IMStateView>* CreateButton(std::int32_t x, std::int32_t y,
                                            const std::wstring& normal,
                                            const std::wstring& disabled,
                                            const std::wstring& hover,
                                            const std::wstring& pressed, std::int32_t layer = 0);
    // A picture at its own size, tinted by `colour`.
    IMStaticPictureBase<IMTextureView>* CreatePicture(std::int32_t x, std::int32_t y,
                                                      std::wstring_view image,
                                                      std::int32_t layer = 0,
                                                      Colour colour = kWhite);
    // A caption in the text view's default font and colour, as large as its text.
    IMStaticPictureBase<IMTextView>* CreateText(std::int32_t x, std::int32_t y,
                                                std::wstring_view text, std::int32_t layer = 0);

    void AddChild(IMControl* control, std::int32_t layer);
    void RemoveChild(IMControl* control);
    void FlushRemovals();
    std::int32_t LayerOf(const IMControl* control) const;
    long UpdateMouseOver(const IMMouseEvent& e);
    long OnChildFocus(const IMEvent& e);

    void SetDirty(bool dirty) override;
    bool IsDirty() const override;
    bool HitTest(std::int32_t x, std::int32_t y) override;
    long HandleMouseMove(const IMMouseEvent& e) override;
    long HandleMouseButton(const IMMouseEvent& e) override;
    long HandleMouseLeave(const IMMouseEvent& e) override;
    long HandleKey(const IMKeyboardEvent& e) override;
    long HandleDraw(const IMEvent& e) override;
    long HandleIdle(const IMEvent& e) override;
    long HandleClose(const IMEvent& e) override;
    long HandleFocusOut(const IMEvent& e) override;

    const Layers& Children() const { return m_children; }
    IMControl* GetMouseOverChild() const { return m_mouseOverChild; }
    IMControl* GetFocusedChild() const { return m_focusedChild; }
    Point GetLastMousePosition() const { return m_lastMouse; }

private:
    // Converts a mouse event of the parent's space into this dialog's and remembers it.
    IMMouseEvent ToOwnSpace(const IMMouseEvent& e);
    IMControl* FindChildAt(std::int32_t x, std::int32_t y) const;
    template <class F>
    void ForEachChild(F f) const;

    Layers m_children;
    Layers m_pendingAdditions;
    std::vector<IMControl*> m_pendingRemovals;
    IMControl* m_mouseOverChild = nullptr;
    IMControl* m_focusedChild = nullptr;
    Point m_lastMouse{};
};

extern template class IMDialogBase<IMEmptyView>;

}  // namespace pestrol
