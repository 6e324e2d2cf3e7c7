#include "gui/IMScroll.h"

#include "gui/IMTimerHost.h"
#include "gui/IMWindow.h"

#include <algorithm>
#include <boost/bind/bind.hpp>
#include <cmath>

namespace pestrol {

namespace {

constexpr std::int32_t kBarWidth = 16;
constexpr float kPointLeftAndRight = 4.712389f;  // 270 degrees

Rect AlongRightEdge(const IMDialog* parent)
{
    if (parent == nullptr)
        return {};
    const std::int32_t w = parent->GetWidth();
    return {w - kBarWidth, 0, w, parent->GetHeight()};
}

// The main window, which sees every move and release; a tree of its own has its root.
IMDialog* MainDialog(IMDialog* dialog)
{
    if (IMWindow* window = MainWindow())
        return window;
    while (dialog->GetParent() != nullptr)
        dialog = dialog->GetParent();
    return dialog;
}

}  // namespace

IMScroll::IMScroll(IMDialog* parent, std::int32_t orientation, std::optional<Rect> rect,
                   bool arrows)
    : IMDialog(parent, rect.value_or(AlongRightEdge(parent)), 0),
      m_arrows(arrows),
      m_orientation(orientation),
      m_window(MainDialog(this))
{
    using boost::placeholders::_1;
    m_background = new IMPicture(this, 0);
    m_background->SetImage(L"ScrollBackground");
    if (arrows) {
        m_up = MakePart(L"ScrollButtonUp");
        m_down = MakePart(L"ScrollButtonDown");
        if (orientation == kHorizontal)
            m_up->angle = m_down->angle = kPointLeftAndRight;
        m_before = MakePart(L"ScrollBackground");
        m_after = MakePart(L"ScrollBackground");
        for (IMButton* part : {m_up, m_down, m_before, m_after}) {
            part->MouseButton.connect(boost::bind(&IMScroll::OnPartMouse, this, _1));
            part->MouseLeft.connect(boost::bind(&IMScroll::OnPartMouse, this, _1));
        }
    }
    m_thumb = MakePart(orientation == kVertical ? L"ScrollSlider" : L"ScrollSliderHorizontal");
    m_thumb->MouseButton.connect(boost::bind(&IMScroll::OnThumbMouse, this, _1));
    m_window->MouseLeft.connect(boost::bind(&IMScroll::OnThumbMouse, this, _1));
    m_window->MouseButton.connect(boost::bind(&IMScroll::OnThumbMouse, this, _1));
    IMScroll::Layout();
}

IMScroll::~IMScroll()
{
    StopRepeat();
}

IMButton* IMScroll::MakePart(const std::wstring& image)
{
    auto* part = new IMButton(this, 0);
    part->SetButtonImages(image, L"", L"", L"");
    return part;
}

void IMScroll::SetRect(const Rect& rect)
{
    IMDialog::SetRect(rect);
    if (m_thumb != nullptr)
        Layout();
}

std::int32_t IMScroll::Span() const
{
    return std::max(m_maximum - m_minimum, 1);
}

Rect IMScroll::Place(std::int32_t along, std::int32_t alongSize) const
{
    if (m_orientation == kVertical)
        return {0, along, GetWidth(), along + alongSize};
    return {along, 0, along + alongSize, GetHeight()};
}

long IMScroll::Layout()
{
    const bool vertical = m_orientation == kVertical;
    const std::int64_t w = vertical ? GetWidth() : GetHeight();
    const std::int64_t h = vertical ? GetHeight() : GetWidth();
    const std::int64_t track = h - 2 * w;
    auto share = [&](std::int64_t amount) { return std::int32_t(track * amount / Span()); };
    const auto thickness = std::int32_t(w);
    if (m_arrows) {
        m_up->SetRect(Place(0, thickness));
        m_before->SetRect(Place(thickness, share(m_value) + thickness));
        m_down->SetRect(Place(std::int32_t(h) - thickness, thickness));
        const std::int32_t afterTop = share(std::int64_t(m_value) + m_page) + thickness;
        m_after->SetRect(Place(afterTop, std::int32_t(track) - (afterTop - thickness)));
    }
    m_background->SetRect(Place(0, std::int32_t(h)));
    const Rect thumb = m_thumb->GetRect();
    const std::int32_t at = IsBusy() ? (vertical ? thumb.top : thumb.left)
                                     : share(m_value) + thickness;
    m_thumb->SetRect(Place(at, share(m_page)));
    return 0;
}

void IMScroll::SetValue(std::int32_t value)
{
    value = std::max(value, m_minimum);
    value = std::min(value, m_maximum - m_page);
    if (value == m_value)
        return;
    m_value = value;
    if (!ValueChanged.empty())
        ValueChanged(IMEvent(this, code::kStateChange), value);
    Layout();
}

void IMScroll::SetRange(std::int32_t minimum, std::int32_t maximum)
{
    m_minimum = minimum;
    m_maximum = maximum;
    m_value = std::max(std::min(m_value, m_maximum - m_page), m_minimum);
    Layout();
}

void IMScroll::SetPage(std::int32_t page)
{
    m_value = std::min(m_value, m_maximum - page);
    m_page = page;
    Layout();
}

std::int32_t IMScroll::StepOf(const IMControl* part) const
{
    if (part == m_up)
        return -(m_page / 10);
    if (part == m_down)
        return m_page / 10;
    return part == m_before ? -m_page : m_page;
}

long IMScroll::OnPartMouse(const IMMouseEvent& e)
{
    const bool press = e.IsCode(msg::kLButtonDown);
    if (press || e.IsCode(code::kStateChange)) {
        StopRepeat();
        SetValue(m_value + StepOf(e.m_sender));
        StartRepeat(e, press ? kFirstRepeat : kNextRepeat);
    } else if (e.IsCode(msg::kLButtonUp) || e.IsCode(code::kMouseLeft)) {
        StopRepeat();
    }
    return 0;
}

void IMScroll::StartRepeat(const IMMouseEvent& e, std::uint32_t interval)
{
    IMTimerHost* timers = IMTimerHost::Main();
    if (timers == nullptr)
        return;
    IMMouseEvent tick = e;
    tick.m_code = code::kStateChange;
    m_repeatTimer = timers->AddTimer(interval);
    m_drag = timers->ConnectTimer(m_repeatTimer, boost::bind(&IMScroll::OnPartMouse, this, tick));
}

// Only a repeat is stopped here: a thumb drag that passes over an arrow goes on.
void IMScroll::StopRepeat()
{
    if (m_repeatTimer == 0)
        return;
    if (IMTimerHost* timers = IMTimerHost::Main())
        timers->RemoveTimer(m_repeatTimer);
    m_repeatTimer = 0;
    m_drag.disconnect();
}

bool IMScroll::StartOrEndDrag(const IMMouseEvent& e)
{
    if (e.IsCode(msg::kLButtonDown) && e.m_sender == m_thumb) {
        StopRepeat();
        m_drag.disconnect();
        m_anchor = m_window->GetLastMousePosition();
        using boost::placeholders::_1;
        m_drag = m_window->MouseMoved.connect(boost::bind(&IMScroll::OnThumbMouse, this, _1));
        return true;
    }
    if ((e.IsCode(msg::kLButtonUp) || e.IsCode(code::kMouseLeft)) && IsDraggingThumb()) {
        m_drag.disconnect();
        return true;
    }
    return false;
}

long IMScroll::OnThumbMouse(const IMMouseEvent& e)
{
    StartOrEndDrag(e);
    if (!e.IsCode(msg::kMouseMove) || !IsDraggingThumb())
        return 0;
    const bool vertical = m_orientation == kVertical;
    const std::int32_t w = vertical ? GetWidth() : GetHeight();
    const std::int32_t h = vertical ? GetHeight() : GetWidth();
    const std::int32_t track = h - 2 * w;
    const Rect thumb = m_thumb->GetRect();
    const std::int32_t length = vertical ? thumb.Height() : thumb.Width();
    const std::int32_t moved = vertical ? e.m_y - m_anchor.y : e.m_x - m_anchor.x;
    std::int32_t at = (vertical ? thumb.top : thumb.left) + moved;
    at = std::min(std::max(at, w), h - w - length);
    if (track > 0) {
        const auto value
            = std::int32_t(std::floor(double(at - w) * Span() / double(track) + 0.5));
        if (value != m_value)
            SetValue(value);
    }
    m_thumb->SetRect(Place(at, length));
    SetAnchor(e);
    Layout();
    return 0;
}

}  // namespace pestrol
