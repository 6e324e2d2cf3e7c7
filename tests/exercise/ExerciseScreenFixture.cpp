#include "exercise/ExerciseScreenFixture.h"

#include "gfx/IMResourceManager.h"
#include "gui/IMScroll.h"

#include <SDL.h>

#include <algorithm>
#include <stdexcept>

namespace pestrol::test {

namespace {

constexpr std::time_t kBaseTime = 1796000000;
constexpr std::int32_t kPanelHeight = 600;
constexpr std::int32_t kControlSize = 16;
constexpr std::int32_t kSliderStep = 49;  // (106 - 8) / 2

void Button(bool down, Point p)
{
    SDL_Event e{};
    e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    e.button.button = SDL_BUTTON_LEFT;
    e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.button.clicks = 1;
    e.button.x = p.x;
    e.button.y = p.y;
    SDL_PushEvent(&e);
}

void Motion(Point p, bool held)
{
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.x = p.x;
    e.motion.y = p.y;
    e.motion.state = held ? SDL_BUTTON_LMASK : 0;
    SDL_PushEvent(&e);
}

template <std::size_t N>
int IndexIn(const std::array<Colour, N>& palette, Colour c)
{
    return static_cast<int>(std::find(palette.begin(), palette.end(), c) - palette.begin());
}

}  // namespace

void ExerciseScreen::SetUp()
{
    m_library = std::make_unique<ResourceLibrary>(EmbeddedResources(), std::filesystem::path{});
    ResourceLibrary::SetCurrent(m_library.get());
    m_app = App::Instance(L"00517 Тренажер «Пестроль»", true);
    m_app->SetClock([this] {
        const std::uint32_t t = m_clock.now;
        m_clock.now += m_clock.step;
        return t;
    });
    Pump();
}

void ExerciseScreen::TearDown()
{
    App::Release();
    ResourceLibrary::SetCurrent(nullptr);
}

std::time_t ExerciseScreen::SeedFor(int sex, const std::function<bool(const Appearance&)>& also)
{
    for (std::time_t seed = kBaseTime;; ++seed) {
        Appearance a;
        GenerateTarget(a, seed);
        if (a.Sex == sex && (!also || also(a)))
            return seed;
    }
}

void ExerciseScreen::Open()
{
    m_app->SelectExercise(L"Dialog1");
    m_app->RunNextExercise();
    Pump();
}

void ExerciseScreen::Pump()
{
    IMWindow& w = Window();
    while (auto m = w.Native().PeekMessage())
        w.WindowProc(*m);
    w.HandleIdle(IMEvent(&w, code::kIdle));
}

void ExerciseScreen::ClickAt(Point p)
{
    Motion(p, false);
    Pump();
    Button(true, p);
    Button(false, p);
    Pump();
}

std::int32_t ExerciseScreen::Scroll()
{
    return Panel().ScrollBar()->GetValue();
}

void ExerciseScreen::ScrollToTop()
{
    if (Scroll() != 0)
        ClickAt({292, 100});
}

void ExerciseScreen::ScrollToBottom()
{
    if (Scroll() == 0)
        ClickAt({292, 500});
}

Point ExerciseScreen::Reveal(Point content)
{
    if (content.y < Scroll())
        ScrollToTop();
    if (content.y + kControlSize > Scroll() + kPanelHeight)
        ScrollToBottom();
    return {content.x, content.y - Scroll()};
}

void ExerciseScreen::Click(Point content)
{
    const Point at = Reveal(content);
    ClickAt({at.x + kControlSize / 2, at.y + kControlSize / 2});
}

void ExerciseScreen::Drag(Point slider, int from, int to)
{
    if (from == to)
        return;
    const Point at = Reveal(slider);
    const Point start{at.x + kSliderStep * from + 4, at.y + 8};
    const Point end{start.x + kSliderStep * (to - from), start.y};
    Motion(start, false);
    Pump();
    Button(true, start);
    Pump();
    Motion(end, true);
    Pump();
    Button(false, end);
    Pump();
}

void ExerciseScreen::Solve(const Appearance& t)
{
    using namespace panel;
    const Appearance& p = Pupil();
    if (t.Sex == kBoy)
        Click(kBoyRadio);
    if (t.Headwear != p.Headwear)
        Click(kHeadwearBox);
    if (t.Glasses != p.Glasses)
        Click(kGlassesBox);
    if (t.Bag != p.Bag)
        Click(kBagBox);
    if (t.HairPresent != p.HairPresent)
        Click(kHairBox);
    if (t.HairPresent) {
        Drag(kHairLengthSlider, p.HairLength, t.HairLength);
        if (t.HairType != p.HairType)
            Click(kBraidsBox);
        Click(Swatch(kHairSwatches, IndexIn(kHairPalette, t.HairColour)));
    }
    Drag(kSleeveSlider, p.SleeveLength, t.SleeveLength);
    Click(Swatch(kTopSwatches, IndexIn(kTopPalettes[t.Sex], t.TopColour)));
    if (t.Tie) {
        Click(kTieBox);
        Click(Swatch(kTieSwatches, IndexIn(kTiePalettes[t.Sex], t.TieColour)));
    }
    if (t.BottomType == kSkirt)
        Click(kSkirtRadio);
    Drag(kBottomLengthSlider, p.BottomLength, t.BottomLength);
    Click(Swatch(kBottomSwatches, IndexIn(kBottomPalettes[t.Sex], t.BottomColour)));
    if (t.ShoeType == kHeeledShoes)
        Click(kHeelBox);
    Click(Swatch(kShoeSwatches, IndexIn(kShoePalettes[t.Sex], t.ShoeColour)));
}

std::vector<Colour> ExerciseScreen::Render()
{
    IMResourceManager& manager = *ResourceManager();
    manager.BeginFrame();
    Window().HandleDraw(IMEvent(&Window(), code::kDraw));
    std::vector<Colour> pixels;
    EXPECT_TRUE(manager.ReadFramePixels({0, 0, 800, 600}, pixels));
    manager.EndFrame();
    return pixels;
}

ControlPanel& ExerciseScreen::Panel()
{
    IMDialog* screen = m_app->ExerciseDialog();
    for (const auto& [layer, list] : screen->Children())
        for (IMControl* child : list)
            if (auto* panel = dynamic_cast<ControlPanel*>(child))
                return *panel;
    ADD_FAILURE() << "no control panel on the exercise screen";
    throw std::logic_error("no panel");
}

}  // namespace pestrol::test
