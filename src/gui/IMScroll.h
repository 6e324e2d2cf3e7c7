#pragma once

#include "gui/IMButtonBase.h"
#include "gui/IMDialogBase.h"
#include "gui/IMStaticPictureBase.h"

#include <optional>

namespace pestrol {

// A scroll bar: an integer value within a range and a page, shown by a thumb that can be
// dragged, with optional arrows and track areas that step the value and repeat while held.
class IMScroll : public IMDialog {
public:
    static constexpr std::int32_t kVertical = 0;
    static constexpr std::int32_t kHorizontal = 1;
    static constexpr std::uint32_t kFirstRepeat = 500;
    static constexpr std::uint32_t kNextRepeat = 50;

    using ValueSignal = boost::signals2::signal<long(const IMEvent&, std::int32_t), LastResult>;

    // Without a rectangle: a 16-pixel bar along the parent's right edge.
    IMScroll(IMDialog* parent, std::int32_t orientation, std::optional<Rect> rect, bool arrows);
    ~IMScroll() override;

    void SetRect(const Rect& rect) override;
    virtual long OnThumbMouse(const IMMouseEvent& e);
    virtual long Layout();

    // Clamped to minimum ... maximum minus page; tells a change through `ValueChanged`.
    void SetValue(std::int32_t value);
    // Both clamp the value silently.
    void SetRange(std::int32_t minimum, std::int32_t maximum);
    void SetPage(std::int32_t page);

    std::int32_t GetValue() const { return m_value; }
    std::int32_t GetMinimum() const { return m_minimum; }
    std::int32_t GetMaximum() const { return m_maximum; }
    std::int32_t GetPage() const { return m_page; }
    IMButton* GetThumb() const { return m_thumb; }
    IMButton* GetUpArrow() const { return m_up; }
    IMButton* GetDownArrow() const { return m_down; }
    IMButton* GetTrackBefore() const { return m_before; }
    IMButton* GetTrackAfter() const { return m_after; }

    ValueSignal ValueChanged;

protected:
    // Whether a drag or an auto-repeat holds the thumb where the mouse put it.
    bool IsBusy() const { return m_drag.connected(); }
    bool IsDraggingThumb() const { return IsBusy() && m_repeatTimer == 0; }
    // Starts a drag on a left press on the thumb, ends it on a release or when the mouse
    // leaves the window; true when the event did either.
    bool StartOrEndDrag(const IMMouseEvent& e);
    // The range's length, never below 1 so that no layout divides by zero.
    std::int32_t Span() const;
    Point Anchor() const { return m_anchor; }
    void SetAnchor(const IMMouseEvent& e) { m_anchor = {e.m_x, e.m_y}; }
    IMPicture* GetBackground() const { return m_background; }

private:
    IMButton* MakePart(const std::wstring& image);
    long OnPartMouse(const IMMouseEvent& e);
    std::int32_t StepOf(const IMControl* part) const;
    void StartRepeat(const IMMouseEvent& e, std::uint32_t interval);
    void StopRepeat();
    // A rectangle given along and across the bar.
    Rect Place(std::int32_t along, std::int32_t alongSize) const;

    IMButton* m_up = nullptr;
    IMButton* m_down = nullptr;
    IMButton* m_before = nullptr;
    IMButton* m_after = nullptr;
    bool m_arrows;
    IMButton* m_thumb = nullptr;
    IMPicture* m_background = nullptr;
    IMConnection m_drag;
    std::int32_t m_minimum = 0;
    std::int32_t m_maximum = 100;
    std::int32_t m_value = 0;
    std::int32_t m_page = 10;
    std::int32_t m_orientation;
    Point m_anchor{};
    std::int32_t m_repeatTimer = 0;
    IMDialog* m_window;
};

}  // namespace pestrol
