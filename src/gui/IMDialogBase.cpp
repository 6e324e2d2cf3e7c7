#include "gui/IMDialogBase.h"

#include "gfx/IMResourceManager.h"
#include "gui/IMButtonBase.h"
#include "gui/IMStaticPictureBase.h"

#include <algorithm>
#include <boost/bind/bind.hpp>

namespace pestrol {

namespace {

constexpr Rect kDefaultScreen{0, 0, 800, 600};

Rect WholeScreen()
{
    if (IMResourceManager* manager = ResourceManager()) {
        const Size size = manager->GetBackBufferSize();
        if (size.width > 0 && size.height > 0)
            return {0, 0, size.width, size.height};
    }
    return kDefaultScreen;
}

bool Contains(const std::vector<IMControl*>& list, const IMControl* control)
{
    return std::find(list.begin(), list.end(), control) != list.end();
}

}  // namespace

template <class View>
IMDialogBase<View>::IMDialogBase(IMDialog* parent, std::optional<Rect> rect, std::int32_t layer)
    : IMViewControl<View>(parent, layer)
{
    this->m_focusable = true;
    this->SetRect(rect.value_or(WholeScreen()));
}

template <class View>
IMDialogBase<View>::~IMDialogBase()
{
    FlushRemovals();
    // Children that were never closed go with their dialog.
    for (Layers* layers : {&m_pendingAdditions, &m_children}) {
        Layers doomed;
        doomed.swap(*layers);
        for (auto& [layer, list] : doomed)
            for (IMControl* control : list)
                delete control;
    }
}

template <class View>
IMDialog* IMDialogBase<View>::CreateDialog(std::int32_t x, std::int32_t y, std::int32_t width,
                                           std::int32_t height, std::int32_t layer)
{
    return new IMDialog(this, Rect{x, y, x + width, y + height}, layer);
}

template <class View>
IMButton* IMDialogBase<View>::CreateButton(std::int32_t x, std::int32_t y,
                                           const std::wstring& normal,
                                           const std::wstring& disabled,
                                           const std::wstring& hover,
                                           const std::wstring& pressed, std::int32_t layer)
{
    auto* button = new IMButton(this, layer);
    button->SetButtonImages(normal, disabled, hover, pressed);
    button->MoveTo(x, y);
    return button;
}

template <class View>
IMPicture* IMDialogBase<View>::CreatePicture(std::int32_t x, std::int32_t y,
                                             std::wstring_view image, std::int32_t layer,
                                             Colour colour)
{
    auto* picture = new IMPicture(this, layer);
    picture->SetPictureImage(image);
    picture->MoveTo(x, y);
    picture->colour = colour;
    picture->SetDirty(true);
    return picture;
}

template <class View>
IMCaption* IMDialogBase<View>::CreateText(std::int32_t x, std::int32_t y, std::wstring_view text,
                                          std::int32_t layer)
{
    auto* caption = new IMCaption(this, layer);
    caption->SetText(text);
    caption->SetRect(caption->GetSourceRect());
    caption->MoveTo(x, y);
    return caption;
}

template <class View>
void IMDialogBase<View>::AddChild(IMControl* control, std::int32_t layer)
{
    if (this->IsFrozen())
        return;
    for (const auto& entry : m_children)
        if (Contains(entry.second, control))
            return;
    m_pendingAdditions[layer].push_back(control);
    using boost::placeholders::_1;
    control->FocusGained.connect(boost::bind(&IMDialogBase::OnChildFocus, this, _1));
    control->FocusLost.connect(boost::bind(&IMDialogBase::OnChildFocus, this, _1));
    SetDirty(true);
}

template <class View>
void IMDialogBase<View>::RemoveChild(IMControl* control)
{
    for (const auto& entry : m_children) {
        if (Contains(entry.second, control)) {
            if (!Contains(m_pendingRemovals, control)) {
                m_pendingRemovals.push_back(control);
                SetDirty(true);
            }
            return;
        }
    }
    // Added and closed within one pass: it never took part, so it goes at once.
    for (auto it = m_pendingAdditions.begin(); it != m_pendingAdditions.end(); ++it) {
        auto& list = it->second;
        auto found = std::find(list.begin(), list.end(), control);
        if (found == list.end())
            continue;
        list.erase(found);
        if (list.empty())
            m_pendingAdditions.erase(it);
        delete control;
        return;
    }
}

template <class View>
void IMDialogBase<View>::FlushRemovals()
{
    while (!m_pendingRemovals.empty()) {
        IMControl* control = m_pendingRemovals.back();
        m_pendingRemovals.pop_back();
        auto layer = m_children.find(LayerOf(control));
        if (layer != m_children.end()) {
            auto& list = layer->second;
            auto found = std::find(list.begin(), list.end(), control);
            if (found != list.end()) {
                if (m_mouseOverChild == control)
                    m_mouseOverChild = nullptr;
                if (m_focusedChild == control)
                    m_focusedChild = nullptr;
                list.erase(found);
                if (list.empty())
                    m_children.erase(layer);
            }
        }
        delete control;
    }
}

template <class View>
std::int32_t IMDialogBase<View>::LayerOf(const IMControl* control) const
{
    for (const auto& [layer, list] : m_children)
        if (Contains(list, control))
            return layer;
    return 0;
}

template <class View>
IMControl* IMDialogBase<View>::FindChildAt(std::int32_t x, std::int32_t y) const
{
    for (auto layer = m_children.rbegin(); layer != m_children.rend(); ++layer)
        for (auto child = layer->second.rbegin(); child != layer->second.rend(); ++child)
            if ((*child)->HitTest(x, y))
                return *child;
    return nullptr;
}

template <class View>
long IMDialogBase<View>::UpdateMouseOver(const IMMouseEvent& e)
{
    IMControl* sender = e.m_sender;
    if (sender != this && !sender->HitTest(e.m_x, e.m_y) && sender != m_mouseOverChild)
        return 0;
    IMControl* found = FindChildAt(e.m_x, e.m_y);
    IMControl* previous = m_mouseOverChild;
    if (found != nullptr && found != previous) {
        m_mouseOverChild = found;
        found->HandleMouseEnter(IMMouseEvent(this, code::kMouseEntered, e.m_wParam, e.m_x, e.m_y));
    }
    if (previous != nullptr && previous != found) {
        m_mouseOverChild = found;
        previous->HandleMouseLeave(IMMouseEvent(this, code::kMouseLeft, e.m_wParam, e.m_x, e.m_y));
    }
    return 0;
}

template <class View>
long IMDialogBase<View>::OnChildFocus(const IMEvent& e)
{
    IMControl* child = e.m_sender;
    if (e.Is(code::kFocusIn) && child != m_focusedChild) {
        this->SetFocused(true);
        if (m_focusedChild != nullptr)
            m_focusedChild->SetFocused(false);
        m_focusedChild = child;
    } else if (e.Is(code::kFocusOut) && child == m_focusedChild) {
        m_focusedChild = nullptr;
    }
    return 0;
}

template <class View>
template <class F>
void IMDialogBase<View>::ForEachChild(F f) const
{
    for (const auto& [layer, list] : m_children)
        for (IMControl* child : list)
            f(child);
}

template <class View>
void IMDialogBase<View>::SetDirty(bool dirty)
{
    IMViewControl<View>::SetDirty(dirty);
    if (!dirty)
        ForEachChild([](IMControl* child) { child->SetDirty(false); });
}

template <class View>
bool IMDialogBase<View>::IsDirty() const
{
    if (View::IsDirty())
        return true;
    for (const auto& [layer, list] : m_children)
        for (IMControl* child : list)
            if (child->IsDirty())
                return true;
    return false;
}

template <class View>
bool IMDialogBase<View>::HitTest(std::int32_t x, std::int32_t y)
{
    return !this->IsHidden() && this->GetRect().Contains(x, y);
}

template <class View>
IMMouseEvent IMDialogBase<View>::ToOwnSpace(const IMMouseEvent& e)
{
    const Rect rect = this->GetRect();
    IMMouseEvent own = e;
    own.m_sender = this;
    own.m_x = e.m_x - rect.left;
    own.m_y = e.m_y - rect.top;
    m_lastMouse = {own.m_x, own.m_y};
    return own;
}

template <class View>
long IMDialogBase<View>::HandleMouseMove(const IMMouseEvent& e)
{
    IMControl::HandleMouseMove(e);
    const IMMouseEvent own = ToOwnSpace(e);
    UpdateMouseOver(own);
    if (m_mouseOverChild != nullptr)
        m_mouseOverChild->HandleMouseMove(own);
    return 0;
}

template <class View>
long IMDialogBase<View>::HandleMouseButton(const IMMouseEvent& e)
{
    IMControl::HandleMouseButton(e);
    const IMMouseEvent own = ToOwnSpace(e);
    IMControl* target = m_mouseOverChild;
    if (target != nullptr && own.IsCode(msg::kLButtonDown) && target != m_focusedChild &&
        target->IsFocusable()) {
        if (m_focusedChild != nullptr)
            m_focusedChild->SetFocused(false);
        target->SetFocused(true);
    }
    if (m_mouseOverChild != nullptr)
        m_mouseOverChild->HandleMouseButton(own);
    return 0;
}

template <class View>
long IMDialogBase<View>::HandleMouseLeave(const IMMouseEvent& e)
{
    IMControl::HandleMouseLeave(e);
    if (IMControl* child = m_mouseOverChild) {
        m_mouseOverChild = nullptr;
        IMMouseEvent leave = e;
        leave.m_sender = this;
        child->HandleMouseLeave(leave);
    }
    return 0;
}

template <class View>
long IMDialogBase<View>::HandleKey(const IMKeyboardEvent& e)
{
    IMControl::HandleKey(e);
    if (m_focusedChild != nullptr) {
        IMKeyboardEvent own = e;
        own.m_sender = this;
        m_focusedChild->HandleKey(own);
    }
    return 0;
}

template <class View>
long IMDialogBase<View>::HandleDraw(const IMEvent& e)
{
    IMResourceManager* manager = ResourceManager();
    if (!this->IsHidden() && manager != nullptr) {
        const Rect viewport = manager->GetViewport();
        const Point origin = manager->GetOrigin();
        const Rect screen = this->GetRect().Offset(origin.x, origin.y).Intersect(viewport);
        if (!screen.IsEmpty()) {
            manager->SetViewport(screen);
            const Rect rect = this->GetRect();
            manager->SetOrigin({origin.x + rect.left, origin.y + rect.top});
            IMEvent own = e;
            own.m_sender = this;
            ForEachChild([&](IMControl* child) { child->HandleDraw(own); });
            manager->SetOrigin(origin);
            manager->SetViewport(viewport);
            this->DrawView();
            SetDirty(false);
            this->RaiseState(this->Drawn, code::kDraw);
        }
    }
    SetDirty(false);
    return 0;
}

template <class View>
long IMDialogBase<View>::HandleIdle(const IMEvent& e)
{
    FlushRemovals();
    for (auto& [layer, list] : m_pendingAdditions) {
        auto& target = m_children[layer];
        target.insert(target.end(), list.begin(), list.end());
    }
    m_pendingAdditions.clear();
    this->Update();
    this->RaiseState(this->Idled, code::kIdle);
    IMEvent own = e;
    own.m_sender = this;
    ForEachChild([&](IMControl* child) { child->HandleIdle(own); });
    FlushRemovals();
    return 0;
}

template <class View>
long IMDialogBase<View>::HandleClose(const IMEvent& e)
{
    IMEvent own = e;
    own.m_sender = this;
    ForEachChild([&](IMControl* child) { child->HandleClose(own); });
    this->Detach();
    return 0;
}

template <class View>
long IMDialogBase<View>::HandleFocusOut(const IMEvent& e)
{
    IMControl::HandleFocusOut(e);
    m_focusedChild = nullptr;
    IMEvent own = e;
    own.m_sender = this;
    ForEachChild([&](IMControl* child) { child->HandleFocusOut(own); });
    return 0;
}

template class IMDialogBase<IMEmptyView>;

}  // namespace pestrol
