#include "gfx/IMResourceManager.h"
#include "gui/IMButtonBase.h"
#include "gui/IMStaticPictureBase.h"
#include "gui/WindowTestSupport.h"

#include <functional>
#include <string>

namespace pestrol::test {
namespace {

// A print button on a screen, clicked and hovered through the window.
class Buttons : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        m_screen = m_window->CreateDialog(0, 0, 800, 600);
        m_button = m_screen->CreateButton(100, 100, L"PrintButton", L"PrintButton",
                                          L"PrintButtonNuv", L"PrintButtonKlick");
        m_button->Clicked.connect([this](const IMMouseEvent&) { ++m_clicks; return 0L; });
        Pump();
    }

    // The skin name of the picture the button shows.
    std::wstring Shown(const IMButton& button) const
    {
        for (const wchar_t* name : {L"PrintButton", L"PrintButtonNuv", L"PrintButtonKlick"})
            if (button.HasTexture() && ResourceManager()->FindTexture(name) == button.GetTextureIndex())
                return name;
        return L"none";
    }

    static constexpr int kOverX = 140, kOverY = 123, kAwayX = 20, kAwayY = 20;

    IMDialog* m_screen = nullptr;
    IMButton* m_button = nullptr;
    int m_clicks = 0;
};

TEST_F(Buttons, TakeTheirPicturesSizeAtTheirPlace)
{
    EXPECT_EQ(m_button->GetRect(), (Rect{100, 100, 184, 147}));
    EXPECT_EQ(m_button->GetState(), IMStateView::kNormal);
    EXPECT_EQ(Shown(*m_button), L"PrintButton");
}

TEST_F(Buttons, FollowTheStateTableThroughTheWindow)
{
    struct Step {
        const char* name;
        std::function<void()> action;
        std::int32_t state;
        const wchar_t* image;
        int clicks;
    };
    const Step steps[] = {
        {"mouse over", [] { Motion(kOverX, kOverY); }, IMStateView::kHover, L"PrintButtonNuv", 0},
        {"left held", [] { Button(SDL_BUTTON_LEFT, true, kOverX, kOverY); }, IMStateView::kPressed,
         L"PrintButtonKlick", 0},
        {"released over it", [] { Button(SDL_BUTTON_LEFT, false, kOverX, kOverY); },
         IMStateView::kHover, L"PrintButtonNuv", 1},
        {"disabled under the mouse", [this] { m_button->Disable(); }, IMStateView::kDisabled,
         L"PrintButton", 1},
        {"a click while disabled", [] { Click(kOverX, kOverY); }, IMStateView::kDisabled,
         L"PrintButton", 1},
        {"pressed while disabled", [] { Button(SDL_BUTTON_LEFT, true, kOverX, kOverY); },
         IMStateView::kDisabled, L"PrintButton", 1},
        {"enabled under the held mouse", [this] { m_button->Enable(); }, IMStateView::kPressed,
         L"PrintButtonKlick", 1},
        {"moved away holding", [] { Motion(kAwayX, kAwayY, SDL_BUTTON_LMASK); },
         IMStateView::kNormal, L"PrintButton", 1},
        {"released outside", [] { Button(SDL_BUTTON_LEFT, false, kAwayX, kAwayY); },
         IMStateView::kNormal, L"PrintButton", 1},
        {"hidden", [this] { m_button->Hide(); }, IMStateView::kNormal, L"PrintButton", 1},
        {"disabled while hidden", [this] { m_button->Disable(); }, IMStateView::kNormal,
         L"PrintButton", 1},
        {"shown again", [this] { m_button->Show(); }, IMStateView::kDisabled, L"PrintButton", 1},
        {"enabled away from the mouse", [this] { m_button->Enable(); }, IMStateView::kNormal,
         L"PrintButton", 1},
    };
    for (const Step& step : steps) {
        step.action();
        Pump();
        EXPECT_EQ(m_button->GetState(), step.state) << step.name;
        EXPECT_EQ(Shown(*m_button), step.image) << step.name;
        EXPECT_EQ(m_clicks, step.clicks) << step.name;
    }
}

TEST_F(Buttons, ReleasingOutsideRaisesNoClick)
{
    Motion(kOverX, kOverY);
    Button(SDL_BUTTON_LEFT, true, kOverX, kOverY);
    Motion(kAwayX, kAwayY, SDL_BUTTON_LMASK);
    Button(SDL_BUTTON_LEFT, false, kAwayX, kAwayY);
    Pump();
    EXPECT_EQ(m_clicks, 0);
    for (std::uint8_t button : {SDL_BUTTON_LEFT, SDL_BUTTON_RIGHT, SDL_BUTTON_MIDDLE})
        Click(kOverX + 10, kOverY, button);
    Pump();
    EXPECT_EQ(m_clicks, 3) << "any button clicks";
}

TEST_F(Buttons, WithOnlyANormalPictureShowItInEveryState)
{
    IMButton* exit = m_screen->CreateButton(300, 300, L"ExitButton", L"", L"", L"");
    Pump();
    const TextureIndex normal = ResourceManager()->FindTexture(L"ExitButton");
    for (std::int32_t state : {IMStateView::kDisabled, IMStateView::kHover, IMStateView::kPressed}) {
        exit->SetState(state);
        EXPECT_EQ(exit->GetTextureIndex(), normal) << state;
    }
    Motion(310, 310);
    Button(SDL_BUTTON_LEFT, true, 310, 310);
    Pump();
    EXPECT_EQ(exit->GetState(), IMStateView::kPressed);
    EXPECT_EQ(exit->GetTextureIndex(), normal);
}

TEST_F(Buttons, MovesOverAButtonCostNoPictureChanges)
{
    Motion(kOverX, kOverY);
    Pump();
    int changes = 0;
    m_button->Invalidated.connect([&](const IMEvent&) { ++changes; return 0L; });
    for (int x = kOverX; x < kOverX + 20; ++x)
        Motion(x, kOverY);
    Pump();
    EXPECT_EQ(changes, 0);
}

TEST_F(Buttons, PicturesAndCaptionsAreMadeAtTheirOwnSize)
{
    IMPicture* picture = m_screen->CreatePicture(10, 20, L"F1Button", 3, 0x80FFFFFF);
    EXPECT_EQ(picture->GetRect(), (Rect{10, 20, 47, 45}));
    EXPECT_EQ(picture->colour, 0x80FFFFFFu);
    EXPECT_TRUE(picture->IsDirty());
    EXPECT_EQ(m_screen->LayerOf(picture), 0) << "joins at the next pass";
    Pump();
    EXPECT_EQ(m_screen->LayerOf(picture), 3);

    IMCaption* caption = m_screen->CreateText(5, 6, L"Пестроль");
    EXPECT_EQ(caption->GetText(), L"Пестроль");
    EXPECT_EQ(caption->GetRect().left, 5);
    EXPECT_EQ(caption->GetRect().top, 6);
    EXPECT_EQ(caption->GetWidth(), caption->GetSourceRect().Width());
    EXPECT_EQ(caption->GetHeight(), 16);
    EXPECT_TRUE(caption->HitTest(caption->GetRect().right - 1, 6)) << "hit anywhere inside";
}

}  // namespace
}  // namespace pestrol::test
