#include "gfx/IMResourceManager.h"
#include "gui/IMCRButtons.h"
#include "gui/IMGroupBox.h"
#include "gui/WindowTestSupport.h"

#include <string>
#include <vector>

namespace pestrol::test {
namespace {

using Strings = std::vector<std::string>;

// Check boxes and a group of three radio buttons on a screen, clicked through the window.
class Choices : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        m_screen = m_window->CreateDialog(0, 0, 800, 600);
        m_box = CreateCheckBox(m_screen, 300, 40);
        m_group = CreateGroupBox(m_screen, 100, 200, 100);
        for (std::int32_t y : {0, 20, 40})
            m_radios.push_back(m_group->AddRadioButton(y));
        Pump();
    }

    void Watch(IMCRButtons& control, const std::string& name)
    {
        control.Checked.connect([this, name](const IMEvent& e) {
            m_log.push_back(name + ".Checked:" + std::to_string(e.m_code));
            return 0L;
        });
        control.Unchecked.connect([this, name](const IMEvent& e) {
            m_log.push_back(name + ".Unchecked:" + std::to_string(e.m_code));
            return 0L;
        });
    }
    void ClickRadio(std::size_t i, std::uint8_t button = SDL_BUTTON_LEFT)
    {
        Click(10 + 10 + 8, 100 + std::int32_t(i) * 20 + 8, button);
        Pump();
    }
    void ClickBox(std::uint8_t button)
    {
        Click(308, 48, button);
        Pump();
    }
    static bool Shows(const IMCRButtons& control, const wchar_t* name)
    {
        return control.GetTextureIndex() == ResourceManager()->FindTexture(name);
    }

    IMDialog* m_screen = nullptr;
    IMCheckBox* m_box = nullptr;
    IMGroupBox* m_group = nullptr;
    std::vector<IMRadioButton*> m_radios;
    Strings m_log;
};

TEST_F(Choices, AreSixteenPixelsSquareAtTheirPlaces)
{
    EXPECT_EQ(m_box->GetRect(), (Rect{300, 40, 316, 56}));
    EXPECT_EQ(m_group->GetRect(), (Rect{10, 100, 210, 200}));
    EXPECT_EQ(m_radios[1]->GetRect(), (Rect{10, 20, 26, 36}));
    EXPECT_TRUE(Shows(*m_box, L"CheckBoxUnchecked"));
    EXPECT_TRUE(Shows(*m_radios[0], L"RadioButtonUnchecked"));
    EXPECT_EQ(m_group->RadioButtons(), m_radios);
}

TEST_F(Choices, OneRadioButtonOfAGroupIsChecked)
{
    m_radios[0]->SetChecked(true);
    for (std::size_t i = 0; i < m_radios.size(); ++i)
        Watch(*m_radios[i], std::string(1, char('A' + i)));
    std::vector<bool> seenByLaterHandler;
    m_radios[1]->Checked.connect([&](const IMEvent&) {
        for (IMRadioButton* radio : m_radios)
            seenByLaterHandler.push_back(radio->IsChecked());
        return 0L;
    });

    ClickRadio(1);
    EXPECT_EQ(m_log, (Strings{"A.Unchecked:20", "B.Checked:19"}));
    EXPECT_EQ(seenByLaterHandler, (std::vector<bool>{false, true, false}));
    EXPECT_TRUE(Shows(*m_radios[0], L"RadioButtonUnchecked"));
    EXPECT_TRUE(Shows(*m_radios[1], L"RadioButtonChecked"));

    m_log.clear();
    ClickRadio(1);
    ClickRadio(1, SDL_BUTTON_RIGHT);
    m_radios[1]->SetChecked(true);
    EXPECT_TRUE(m_log.empty()) << "a checked radio button stays checked, silently";
    EXPECT_TRUE(m_radios[1]->IsChecked());

    ClickRadio(2, SDL_BUTTON_MIDDLE);
    EXPECT_EQ(m_log, (Strings{"B.Unchecked:20", "C.Checked:19"}));
}

TEST_F(Choices, AnyButtonTogglesAnEnabledCheckBox)
{
    Watch(*m_box, "box");
    ClickBox(SDL_BUTTON_RIGHT);
    EXPECT_TRUE(m_box->IsChecked());
    EXPECT_TRUE(Shows(*m_box, L"CheckBoxChecked"));
    ClickBox(SDL_BUTTON_LEFT);
    EXPECT_FALSE(m_box->IsChecked());
    ClickBox(SDL_BUTTON_MIDDLE);
    EXPECT_EQ(m_log, (Strings{"box.Checked:19", "box.Unchecked:20", "box.Checked:19"}));

    m_box->Disable();
    m_log.clear();
    ClickBox(SDL_BUTTON_LEFT);
    ClickBox(SDL_BUTTON_RIGHT);
    EXPECT_TRUE(m_box->IsChecked());
    EXPECT_TRUE(m_log.empty()) << "a disabled check box changes nothing";
}

TEST_F(Choices, ShowTheirDisabledPictures)
{
    struct Case {
        const char* name;
        bool checkFirst;
        const wchar_t* disabled;
        const wchar_t* enabled;
    };
    const Case boxes[] = {
        {"checked", true, L"CheckBoxDisChecked", L"CheckBoxChecked"},
        {"unchecked", false, L"CheckBoxDisUnchecked", L"CheckBoxUnchecked"},
    };
    for (const Case& c : boxes) {
        m_box->SetChecked(c.checkFirst);
        m_box->Disable();
        Pump();
        EXPECT_TRUE(Shows(*m_box, c.disabled)) << c.name;
        m_box->Enable();
        EXPECT_TRUE(Shows(*m_box, c.enabled)) << c.name;
    }
    m_box->SetChecked(true);
    m_box->SetChecked(false);
    m_box->Disable();
    EXPECT_TRUE(Shows(*m_box, L"CheckBoxDisUnchecked")) << "unchecked, then disabled";
    m_box->Enable();

    m_radios[2]->SetChecked(true);
    m_radios[2]->Disable();
    m_radios[0]->Disable();
    EXPECT_TRUE(Shows(*m_radios[2], L"RadioButtonDisChecked"));
    EXPECT_TRUE(Shows(*m_radios[0], L"RadioButtonDisUnchecked"));
    ClickRadio(0);
    EXPECT_TRUE(m_radios[2]->IsChecked()) << "a disabled radio button takes no click";
}

}  // namespace
}  // namespace pestrol::test
