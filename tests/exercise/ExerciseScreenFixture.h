#pragma once

#include "exercise/App.h"
#include "exercise/ControlPanel.h"
#include "platform/ResourceLibrary.h"

#include <gtest/gtest.h>

#include <ctime>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace pestrol::test {

// Where the panel's controls are, in the content's coordinates (group box plus control).
namespace panel {
constexpr Point kGirlRadio{20, 25};
constexpr Point kBoyRadio{20, 55};
constexpr Point kHeadwearBox{15, 130};
constexpr Point kGlassesBox{15, 160};
constexpr Point kBagBox{15, 190};
constexpr Point kHairBox{15, 235};
constexpr Point kHairLengthSlider{20, 280};
constexpr Point kBraidsBox{20, 365};
constexpr Point kHairSwatches{170, 280};
constexpr Point kTopSwatches{170, 480};
constexpr Point kTieBox{20, 565};
constexpr Point kTieSwatches{170, 580};
constexpr Point kSleeveSlider{20, 480};
constexpr Point kTrousersRadio{20, 685};
constexpr Point kSkirtRadio{20, 725};
constexpr Point kBottomSwatches{170, 790};
constexpr Point kBottomLengthSlider{20, 790};
constexpr Point kHeelBox{20, 925};
constexpr Point kShoeSwatches{170, 930};
// Swatches stand 20 pixels apart.
constexpr Point Swatch(Point first, int index) { return {first.x + 20 * index, first.y}; }
}  // namespace panel

// A millisecond counter the test moves; each reading costs `step` milliseconds.
struct TestClock {
    std::uint32_t now = 100000;
    std::uint32_t step = 1;
};

// The application on SDL's dummy video driver with the program's pictures, its clock in
// the test's hands, driven by synthetic SDL mouse events at screen positions.
class ExerciseScreen : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A calendar second whose generated target is of `sex` and satisfies `also`.
    static std::time_t SeedFor(int sex, const std::function<bool(const Appearance&)>& also = {});

    // Opens the exercise screen on the current target.
    void Open();
    // Handles the queued input and runs one pass of the loop.
    void Pump();
    void ClickAt(Point screen);
    // Scrolls as needed so that the control at `content` is inside the panel, then clicks it.
    void Click(Point content);
    // Drags a three-position slider's thumb from one position to another.
    void Drag(Point slider, int from, int to);
    // Scrolls with the scroll bar's track: to 0 or to the end (375).
    void ScrollToTop();
    void ScrollToBottom();
    // Scrolls the control at `content` into the panel; answers where it is on the screen.
    Point Reveal(Point content);
    // Dresses the pupil's figure as `target` with the panel alone.
    void Solve(const Appearance& target);
    // Draws the whole window and reads it back.
    std::vector<Colour> Render();

    IMWindow& Window() { return *m_app->Window(); }
    ControlPanel& Panel();
    const Appearance& Pupil() { return m_app->PupilFigure()->GetAppearance(); }
    const Appearance& Target() { return m_app->TargetFigure()->GetAppearance(); }
    std::int32_t Scroll();

    std::unique_ptr<ResourceLibrary> m_library;
    App* m_app = nullptr;
    TestClock m_clock;
};

}  // namespace pestrol::test
