#include "gfx/GfxTestSupport.h"
#include "gfx/IMResourceManager.h"
#include "gui/IMButtonBase.h"
#include "gui/IMCRButtons.h"
#include "gui/IMEditBar.h"
#include "gui/IMGroupBox.h"
#include "gui/IMList.h"
#include "gui/IMScroll.h"
#include "gui/IMSlider.h"
#include "gui/IMTextEdit.h"
#include "gui/WindowTestSupport.h"

namespace pestrol::test {
namespace {

// One of every control in each of its states on a screen, drawn by the window and written
// to gallery.png in the working directory for a person to look at.
class Gallery : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        m_screen = m_window->CreateDialog(0, 0, 800, 600);
        m_screen->CreatePicture(0, 0, L"DefaultBackGround");
        Buttons();
        Choices();
        Edits();
        Bars();
        List();
        Pump();
    }

    void Label(std::int32_t x, std::int32_t y, const wchar_t* text)
    {
        m_screen->CreateText(x, y, text)->SetColour(kOpaqueBlack);
    }

    void Buttons()
    {
        const wchar_t* names[] = {L"обычная", L"под мышью", L"нажата", L"выключена"};
        const std::int32_t states[] = {IMStateView::kNormal, IMStateView::kHover,
                                       IMStateView::kPressed, IMStateView::kDisabled};
        for (int i = 0; i < 4; ++i) {
            IMButton* button = m_screen->CreateButton(20 + 120 * i, 20, L"RetryButton", L"RetryButton",
                                                      L"RetryButtonNuv", L"RetryButtonKlick");
            button->SetState(states[i]);
            m_buttons[i] = button;
            Label(20 + 120 * i, 70, names[i]);
        }
        m_screen->CreatePicture(500, 30, L"ExitButton");
        m_screen->CreatePicture(540, 28, L"F1Button");
        m_screen->CreatePicture(590, 28, L"F12Button");
        Label(500, 70, L"картинки");
    }

    void Choices()
    {
        const wchar_t* names[] = {L"нет", L"да", L"нет, выкл.", L"да, выкл."};
        for (int i = 0; i < 4; ++i) {
            IMCheckBox* box = CreateCheckBox(m_screen, 20 + 140 * i, 110);
            // A group each, side by side, so that all four can be seen at once.
            IMGroupBox* group = CreateGroupBox(m_screen, 140, 30, 16);
            group->MoveTo(10 + 140 * i, 140);
            IMRadioButton* radio = group->AddRadioButton(0);
            box->SetChecked(i % 2 == 1);
            radio->SetChecked(i % 2 == 1);
            if (i >= 2) {
                box->Disable();
                radio->Disable();
            }
            m_boxes[i] = box;
            Label(42 + 140 * i, 110, names[i]);
            Label(42 + 140 * i, 140, names[i]);
        }
    }

    void Edits()
    {
        auto* named = new IMEditBar(m_screen);
        named->SetRect({20, 180, 320, 200});
        named->SetFocused(true);
        for (wchar_t c : std::wstring(L"Иван Петров"))
            named->GetTextEdit()->HandleKey(IMKeyboardEvent(m_screen, msg::kChar, c, 0));
        auto* empty = new IMEditBar(m_screen);
        empty->SetRect({340, 180, 560, 200});
        Label(20, 205, L"поле с фокусом");
        Label(340, 205, L"пустое поле");
    }

    void Bars()
    {
        auto* vertical = new IMScroll(m_screen, IMScroll::kVertical, Rect{700, 20, 716, 260}, true);
        vertical->SetValue(30);
        auto* horizontal = new IMScroll(m_screen, IMScroll::kHorizontal, Rect{20, 250, 260, 266}, true);
        horizontal->SetValue(60);
        for (int i = 0; i < 3; ++i) {
            auto* slider = new IMSlider(m_screen, {300 + 130 * i, 250, 406 + 130 * i, 266});
            slider->SetPage(0);
            slider->SetRange(0, 2);
            slider->SetValue(i);
            if (i == 1)
                slider->GetThumb()->SetState(IMStateView::kHover);
        }
        Label(20, 270, L"полоса прокрутки");
        Label(300, 270, L"ползунки: 0, 1 под мышью, 2");
    }

    void List()
    {
        auto* list = new IMList(m_screen);
        list->SetRect({20, 310, 260, 400});
        for (const wchar_t* name : {L"Принтер в классе", L"PDF", L"Учительская"})
            list->AddItem(name);
        list->Select(list->Items()[1]);
        Label(20, 405, L"список, выбрана вторая строка");
    }

    std::vector<Colour> Area(const std::vector<Colour>& frame, const Rect& r)
    {
        std::vector<Colour> out;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                out.push_back(frame[std::size_t(y) * 800 + x]);
        return out;
    }

    IMDialog* m_screen = nullptr;
    IMButton* m_buttons[4]{};
    IMCRButtons* m_boxes[4]{};
};

TEST_F(Gallery, ShowsEveryControlInEachState)
{
    IMResourceManager& manager = *ResourceManager();
    manager.BeginFrame();
    m_window->HandleDraw(IMEvent(m_window, code::kDraw));
    std::vector<Colour> frame;
    ASSERT_TRUE(manager.ReadFramePixels({0, 0, 800, 600}, frame));
    manager.EndFrame();
    ASSERT_TRUE(WritePngFile("gallery.png", 800, 600, frame));

    // The skin has no disabled button picture: a disabled button looks like a normal one.
    for (int i = 1; i < 3; ++i)
        EXPECT_NE(Area(frame, m_buttons[0]->GetRect()), Area(frame, m_buttons[i]->GetRect())) << i;
    EXPECT_EQ(Area(frame, m_buttons[0]->GetRect()), Area(frame, m_buttons[3]->GetRect()));
    for (int i = 1; i < 4; ++i)
        EXPECT_NE(Area(frame, m_boxes[0]->GetRect()), Area(frame, m_boxes[i]->GetRect())) << i;
}

}  // namespace
}  // namespace pestrol::test
