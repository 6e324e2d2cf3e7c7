#include "gui/IMScroll.h"
#include "gui/IMSlider.h"
#include "gui/WindowTestSupport.h"

#include <chrono>
#include <vector>

namespace pestrol::test {
namespace {

using namespace std::chrono;
using namespace std::chrono_literals;

// A vertical scroll bar of 16 by 240 with arrows at (700, 100) of a screen, and every value
// it reports.
class Scrolling : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        m_screen = m_window->CreateDialog(0, 0, 800, 600);
        m_bar = new IMScroll(m_screen, IMScroll::kVertical, Rect{700, 100, 716, 340}, true);
        m_bar->ValueChanged.connect([this](const IMEvent& e, std::int32_t value) {
            EXPECT_EQ(e.m_sender, m_bar);
            EXPECT_EQ(e.m_code, 0u);
            m_values.push_back(value);
            m_times.push_back(steady_clock::now());
            return 0L;
        });
        Pump();
    }

    // A point of the screen at (x, y) inside the bar.
    static int X(int x = 8) { return 700 + x; }
    static int Y(int y) { return 100 + y; }

    IMDialog* m_screen = nullptr;
    IMScroll* m_bar = nullptr;
    std::vector<std::int32_t> m_values;
    std::vector<steady_clock::time_point> m_times;
};

TEST_F(Scrolling, LaysOutArrowsTracksAndThumbFromTheValue)
{
    EXPECT_EQ(m_bar->GetUpArrow()->GetRect(), (Rect{0, 0, 16, 16}));
    EXPECT_EQ(m_bar->GetDownArrow()->GetRect(), (Rect{0, 224, 16, 240}));
    EXPECT_EQ(m_bar->GetThumb()->GetRect(), (Rect{0, 16, 16, 36})) << "208 x 10 / 100 high";
    EXPECT_EQ(m_bar->GetTrackAfter()->GetRect(), (Rect{0, 36, 16, 224}));
    m_bar->SetValue(50);
    EXPECT_EQ(m_bar->GetThumb()->GetRect(), (Rect{0, 120, 16, 140}));
    EXPECT_EQ(m_bar->GetTrackBefore()->GetRect(), (Rect{0, 16, 16, 136}));
    EXPECT_EQ(m_bar->GetTrackAfter()->GetRect(), (Rect{0, 140, 16, 224}));

    auto* edge = new IMScroll(m_screen, IMScroll::kVertical, std::nullopt, true);
    EXPECT_EQ(edge->GetRect(), (Rect{784, 0, 800, 600})) << "along the parent's right edge";
    auto* across = new IMScroll(m_screen, IMScroll::kHorizontal, Rect{0, 0, 240, 16}, true);
    EXPECT_EQ(across->GetDownArrow()->GetRect(), (Rect{224, 0, 240, 16}));
    EXPECT_EQ(across->GetThumb()->GetRect(), (Rect{16, 0, 36, 16}));
    EXPECT_FLOAT_EQ(across->GetUpArrow()->angle, 4.712389f);
}

TEST_F(Scrolling, ClampsTheValueAndTellsOnlyChanges)
{
    struct Case {
        const char* name;
        std::int32_t set;
        std::int32_t value;
        std::vector<std::int32_t> told;
    };
    const Case cases[] = {
        {"below the range", -5, 0, {}},
        {"past maximum minus page", 95, 90, {90}},
        {"the same value again", 90, 90, {90}},
        {"inside", 42, 42, {90, 42}},
    };
    for (const Case& c : cases) {
        m_bar->SetValue(c.set);
        EXPECT_EQ(m_bar->GetValue(), c.value) << c.name;
        EXPECT_EQ(m_values, c.told) << c.name;
    }
}

TEST_F(Scrolling, RangeAndPageClampSilently)
{
    m_bar->SetValue(80);
    m_values.clear();
    m_bar->SetPage(50);
    EXPECT_EQ(m_bar->GetValue(), 50);
    EXPECT_EQ(m_bar->GetPage(), 50);
    m_bar->SetRange(60, 70);
    EXPECT_EQ(m_bar->GetValue(), 60) << "the minimum wins when the bounds cross";
    m_bar->SetRange(0, 100);
    m_bar->SetPage(10);
    m_bar->SetRange(0, 30);
    EXPECT_EQ(m_bar->GetValue(), 20);
    m_bar->SetRange(5, 5);  // an empty range still lays out
    EXPECT_TRUE(m_values.empty());
}

TEST_F(Scrolling, ArrowsStepATenthOfAPageAndTracksAPage)
{
    struct Case {
        const char* name;
        std::int32_t page;
        std::int32_t start;
        int y;
        std::int32_t value;
    };
    const Case cases[] = {
        {"down arrow", 10, 0, 230, 1},
        {"up arrow", 10, 5, 4, 4},
        {"track after", 10, 0, 150, 10},
        {"track before", 10, 50, 40, 40},
        {"a page of 20 steps by 2", 20, 0, 230, 2},
        {"a page below 10 steps by nothing", 9, 0, 230, 0},
    };
    for (const Case& c : cases) {
        m_bar->SetPage(c.page);
        m_bar->SetValue(c.start);
        Pump();
        Click(X(), Y(c.y));
        Pump();
        EXPECT_EQ(m_bar->GetValue(), c.value) << c.name;
        Motion(10, 10);
        Run(60ms);
        EXPECT_EQ(m_bar->GetValue(), c.value) << c.name << ": no repeat after the release";
    }
}

TEST_F(Scrolling, HoldingAnArrowRepeatsAfterHalfASecondThenEveryFiftiethOfOne)
{
    Motion(X(), Y(230));
    Button(SDL_BUTTON_LEFT, true, X(), Y(230));
    const auto pressed = steady_clock::now();
    Pump();
    ASSERT_EQ(m_values, (std::vector<std::int32_t>{1})) << "one step at once";
    const auto giveUp = pressed + 3s;
    while (m_values.size() < 4 && steady_clock::now() < giveUp)
        Run(10ms);
    Button(SDL_BUTTON_LEFT, false, X(), Y(230));
    Pump();
    const std::size_t atRelease = m_values.size();
    ASSERT_EQ(atRelease, 4u);
    for (std::size_t i = 0; i < atRelease; ++i)
        EXPECT_EQ(m_values[i], std::int32_t(i) + 1);
    EXPECT_GE(m_times[1] - pressed, 500ms);
    EXPECT_LT(m_times[1] - pressed, 1000ms);
    for (std::size_t i = 2; i < atRelease; ++i)
        EXPECT_GE(m_times[i] - m_times[i - 1], 49ms) << i;
    Run(200ms);
    EXPECT_EQ(m_values.size(), atRelease) << "the release ends the repeat";

    Button(SDL_BUTTON_LEFT, true, X(), Y(230));
    Pump();
    Motion(10, 10, SDL_BUTTON_LMASK);
    Pump();
    Run(600ms);
    EXPECT_EQ(m_values.size(), atRelease + 1) << "leaving the arrow ends the repeat";
}

TEST_F(Scrolling, TheRepeatStopsChangingAtTheEndOfTheRange)
{
    m_bar->SetValue(88);
    Motion(X(), Y(230));
    Button(SDL_BUTTON_LEFT, true, X(), Y(230));
    Run(1200ms);
    Button(SDL_BUTTON_LEFT, false, X(), Y(230));
    Pump();
    EXPECT_EQ(m_bar->GetValue(), 90);
    EXPECT_EQ(m_values, (std::vector<std::int32_t>{88, 89, 90}));
}

TEST_F(Scrolling, TheThumbFollowsADragAndStopsAtTheEnds)
{
    Motion(X(), Y(20));
    Button(SDL_BUTTON_LEFT, true, X(), Y(20));
    Pump();
    Motion(X(), Y(70), SDL_BUTTON_LMASK);
    Pump();
    EXPECT_EQ(m_bar->GetThumb()->GetRect().top, 66);
    EXPECT_EQ(m_bar->GetValue(), 24) << "floor(50 x 100 / 208 + 0.5)";
    Motion(X(), Y(235), SDL_BUTTON_LMASK);  // over the down arrow, then out of the bar
    Motion(X(), 590, SDL_BUTTON_LMASK);
    Pump();
    EXPECT_EQ(m_bar->GetThumb()->GetRect().top, 204) << "stopped at the end";
    EXPECT_EQ(m_bar->GetValue(), 90);
    Motion(X(), 580, SDL_BUTTON_LMASK);
    Pump();
    EXPECT_EQ(m_bar->GetThumb()->GetRect().top, 194) << "back at once";
    Button(SDL_BUTTON_LEFT, false, X(), 580);
    Pump();
    const std::int32_t dropped = m_bar->GetValue();
    Motion(X(), 300);
    Pump();
    EXPECT_EQ(m_bar->GetValue(), dropped) << "the drag has ended";
    EXPECT_EQ(m_bar->GetThumb()->GetRect().top, 194) << "the thumb stays where it was dropped";
}

// The control panel's slider: 106 by 16, range 0 to 2, page 0, at (100, 300).
class Sliding : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        m_screen = m_window->CreateDialog(0, 0, 800, 600);
        m_slider = new IMSlider(m_screen, {100, 300, 206, 316});
        m_slider->SetPage(0);
        m_slider->SetRange(0, 2);
        Pump();
    }

    IMDialog* m_screen = nullptr;
    IMSlider* m_slider = nullptr;
};

TEST_F(Sliding, PlacesItsHalfSquareThumbByTheValue)
{
    for (auto [value, x] : {std::pair{0, 0}, {1, 49}, {2, 98}, {1, 49}}) {
        m_slider->SetValue(value);
        EXPECT_EQ(m_slider->GetThumb()->GetRect(), (Rect{x, 0, x + 8, 16})) << value;
    }
}

TEST_F(Sliding, ADroppedThumbSnapsToItsValue)
{
    std::vector<std::int32_t> told;
    m_slider->ValueChanged.connect([&](const IMEvent&, std::int32_t v) { told.push_back(v); return 0L; });
    Motion(104, 308);
    Button(SDL_BUTTON_LEFT, true, 104, 308);
    Motion(134, 308, SDL_BUTTON_LMASK);
    Pump();
    EXPECT_EQ(m_slider->GetThumb()->GetRect().left, 30) << "under the mouse while dragged";
    EXPECT_EQ(m_slider->GetValue(), 1) << "floor(2 x 30 / 98 + 0.5)";
    Button(SDL_BUTTON_LEFT, false, 134, 308);
    Pump();
    EXPECT_EQ(m_slider->GetThumb()->GetRect().left, 49);
    EXPECT_EQ(told, (std::vector<std::int32_t>{1}));

    Motion(150, 308);
    Button(SDL_BUTTON_LEFT, true, 150, 308);
    Motion(400, 308, SDL_BUTTON_LMASK);
    Pump();
    EXPECT_EQ(m_slider->GetThumb()->GetRect().left, 98) << "stopped at the end";
    EXPECT_EQ(m_slider->GetValue(), 2);
    Motion(60, 308, SDL_BUTTON_LMASK);
    Pump();
    EXPECT_EQ(m_slider->GetThumb()->GetRect().left, 0);
    EXPECT_EQ(m_slider->GetValue(), 0);
    Button(SDL_BUTTON_LEFT, false, 60, 308);
    Pump();
    EXPECT_EQ(told, (std::vector<std::int32_t>{1, 2, 0}));
}

TEST_F(Sliding, ShowsItsHoverPictureUnderTheMouse)
{
    IMButton* thumb = m_slider->GetThumb();
    EXPECT_EQ(thumb->GetStateImage(IMStateView::kNormal), L"SliderSliderHorizontal");
    EXPECT_EQ(thumb->GetStateImage(IMStateView::kPressed), L"SliderSliderHorizontal");
    Motion(104, 308);
    Pump();
    EXPECT_EQ(thumb->GetState(), IMStateView::kHover);
    EXPECT_EQ(thumb->GetStateImage(IMStateView::kHover), L"SliderSliderHorizontalHover");
}

}  // namespace
}  // namespace pestrol::test
