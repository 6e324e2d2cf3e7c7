#include "exercise/App.h"
#include "gfx/IMResourceManager.h"
#include "screens/ScreenTestSupport.h"

#include <SDL.h>

namespace pestrol::test {
namespace {

// Every screen of the frame drawn into screens/<name>.png, for looking at; each picture
// is checked for the colours that show it was drawn at all.
class ScreenPictures : public ScreensTest {
protected:
    void SetUp() override
    {
        ScreensTest::SetUp();
        const pestrol::App exercise; // only for its texts
        m_app->SetDescription(exercise.Description());
        m_app->ShowStartScreen();
        Pass();
    }
    Colour PixelAt(std::int32_t x, std::int32_t y)
    {
        IMResourceManager& manager = *ResourceManager();
        manager.BeginFrame();
        Window().HandleDraw(IMEvent(&Window(), code::kDraw));
        std::vector<Colour> pixel;
        EXPECT_TRUE(manager.ReadFramePixels({ x, y, x + 1, y + 1 }, pixel));
        manager.EndFrame();
        return pixel.empty() ? 0 : pixel[0];
    }
};

TEST_F(ScreenPictures, StartScreen)
{
    Type(L"Маша Иванова");
    Snapshot("start");
}

TEST_F(ScreenPictures, DefaultInstructionAndClosingPrompt)
{
    Key(vk::kReturn);
    Snapshot("instruction");
    m_app->ShowClosingPrompt(m_app->instructions.back());
    Snapshot("closing-prompt");
}

TEST_F(ScreenPictures, EndScreens)
{
    RunToEndScreen(L"");
    Snapshot("end-without-report");
    Click(535 + 54, 490 + 23);
    RunToEndScreen(L"Маша Иванова");
    Snapshot("end-with-report");
    Click(128 + 74, 490 + 23);
    Snapshot("save-as");
}

TEST_F(ScreenPictures, CreditsAndExitMenu)
{
    const Colour before = PixelAt(20, 300);
    Key(vk::kF12);
    const Colour veiled = PixelAt(20, 300);
    for (const int shift : { 0, 8, 16 }) {
        const int light = (before >> shift) & 0xFF;
        const int dimmed = (veiled >> shift) & 0xFF;
        EXPECT_NEAR(dimmed, light * (255 - 75) / 255, 3) << std::hex << before << " " << veiled;
    }
    Snapshot("exit-menu");
    SDL_SetModState(KMOD_LCTRL);
    Key(0x49);
    SDL_SetModState(KMOD_NONE);
    Snapshot("credits");
}

} // namespace
} // namespace pestrol::test
