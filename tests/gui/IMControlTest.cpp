#include "gui/GuiTestSupport.h"

#include <gtest/gtest.h>

namespace pestrol::test {
namespace {

using Strings = std::vector<std::string>;

IMMouseEvent Mouse(std::uint32_t message, std::uint32_t flags, std::int32_t x = 5,
                   std::int32_t y = 5)
{
    return IMMouseEvent(nullptr, message, flags, x, y);
}

TEST(IMControl, ClicksComeFromAReleaseAfterAPress)
{
    struct Case {
        const char* name;
        std::vector<IMMouseEvent> events;
        Strings clicks;
        bool pressedAfter;
    };
    const Case cases[] = {
        {"left press and release", {Mouse(msg::kLButtonDown, mk::kLButton), Mouse(msg::kLButtonUp, 0)},
         {"c.Clicked:20c"}, false},
        {"right", {Mouse(msg::kRButtonDown, mk::kRButton), Mouse(msg::kRButtonUp, 0)}, {"c.Clicked:20d"}, false},
        {"middle", {Mouse(msg::kMButtonDown, mk::kMButton), Mouse(msg::kMButtonUp, 0)}, {"c.Clicked:20e"}, false},
        {"release without a press", {Mouse(msg::kLButtonUp, 0)}, {}, false},
        {"release while another button is held",
         {Mouse(msg::kLButtonDown, mk::kLButton | mk::kRButton), Mouse(msg::kLButtonUp, mk::kRButton)},
         {"c.Clicked:20c"}, true},
        {"a move with the button held keeps the press",
         {Mouse(msg::kLButtonDown, mk::kLButton), Mouse(msg::kMouseMove, mk::kLButton), Mouse(msg::kLButtonUp, 0)},
         {"c.Clicked:20c"}, false},
        {"wheel with exactly one button flag", {Mouse(msg::kMouseWheel, 0x00780001)}, {}, true},
        {"wheel with two button flags", {Mouse(msg::kMouseWheel, 0x00780003)}, {}, false},
        {"wheel with shift and a button", {Mouse(msg::kMouseWheel, 0x00780005)}, {}, false},
    };
    for (const Case& c : cases) {
        Plain control(nullptr, {0, 0, 10, 10});
        Log log;
        control.Clicked.connect([&](const IMMouseEvent& e) {
            log.entries.push_back("c.Clicked:" + [&] { char b[8]; std::snprintf(b, 8, "%x", e.m_code); return std::string(b); }());
            return 0L;
        });
        for (const IMMouseEvent& e : c.events)
            e.IsCode(msg::kMouseMove) ? control.HandleMouseMove(e) : control.HandleMouseButton(e);
        EXPECT_EQ(log.entries, c.clicks) << c.name;
        EXPECT_EQ(control.IsPressed(), c.pressedAfter) << c.name;
    }
}

TEST(IMControl, ADisabledControlRaisesNoButtonNotificationsButTracksThePress)
{
    Plain control(nullptr, {0, 0, 10, 10});
    Log log;
    log.Watch(control, "c");
    control.Disable();
    control.HandleMouseButton(Mouse(msg::kLButtonDown, mk::kLButton));
    EXPECT_TRUE(control.IsPressed());
    control.HandleMouseButton(Mouse(msg::kLButtonUp, 0));
    control.HandleMouseButton(Mouse(msg::kLButtonDblClk, mk::kLButton));
    control.HandleMouseEnter(Mouse(code::kMouseEntered, 0));
    control.HandleMouseLeave(Mouse(code::kMouseLeft, 0));
    control.RaiseClick(Mouse(code::kLeftClick, 0));
    EXPECT_EQ(log.entries, (Strings{"c.Disabled:0", "c.MouseEntered:20b", "c.MouseLeft:2a3",
                                    "c.Clicked:20c"}));

    control.Enable();
    log.entries.clear();
    control.HandleMouseButton(Mouse(msg::kLButtonDblClk, mk::kLButton));
    EXPECT_EQ(log.entries, (Strings{"c.MouseButton:203", "c.DoubleClicked:203"}));
}

TEST(IMControl, StateNotificationsSeeTheOldStateAndMarkTheControl)
{
    Plain control(nullptr, {0, 0, 10, 10});
    control.SetDirty(false);
    bool enabledSeen = false, hiddenSeen = true;
    control.Disabled.connect([&](const IMEvent& e) { enabledSeen = e.m_sender->IsEnabled(); return 0L; });
    control.Hidden.connect([&](const IMEvent& e) { hiddenSeen = e.m_sender->IsHidden(); return 0L; });
    control.Disable();
    EXPECT_TRUE(enabledSeen);
    EXPECT_FALSE(control.IsEnabled());
    EXPECT_TRUE(control.IsDirty());
    control.SetDirty(false);
    control.Hide();
    EXPECT_FALSE(hiddenSeen);
    EXPECT_TRUE(control.IsHidden());
    EXPECT_FALSE(control.HitTest(5, 5)) << "a hidden control is not hit";
    control.Show();
    EXPECT_TRUE(control.HitTest(5, 5));
    EXPECT_FALSE(control.HitTest(10, 5)) << "right edge is outside";
}

TEST(IMControl, TheSameRectangleMarksNothing)
{
    Plain control(nullptr, {0, 0, 10, 10});
    control.SetDirty(false);
    int invalidated = 0;
    control.Invalidated.connect([&](const IMEvent&) { ++invalidated; return 0L; });
    control.SetRect({0, 0, 10, 10});
    EXPECT_FALSE(control.IsDirty());
    control.SetRect({1, 0, 10, 10});
    EXPECT_TRUE(control.IsDirty());
    EXPECT_EQ(invalidated, 1);
}

TEST(IMControl, OnlyAFocusableControlTakesTheFocus)
{
    Plain control(nullptr, {0, 0, 10, 10});
    Log log;
    log.Watch(control, "c");
    control.SetFocused(true);
    control.HandleFocusIn(IMEvent(&control, code::kFocusIn));
    EXPECT_FALSE(control.HasFocus());
    control.SetFocusable(true);
    control.SetFocused(true);
    control.SetFocused(true);
    EXPECT_TRUE(control.HasFocus());
    control.SetFocused(false);
    EXPECT_EQ(log.entries, (Strings{"c.FocusGained:11", "c.FocusLost:12"}));
}

TEST(IMControl, KeysRaiseDownOrUpThenTheMessage)
{
    Plain control(nullptr, {0, 0, 10, 10});
    Log log;
    log.Watch(control, "c");
    for (std::uint32_t m : {msg::kKeyDown, msg::kChar, msg::kKeyUp, msg::kSysKeyDown, msg::kSysKeyUp})
        control.HandleKey(IMKeyboardEvent(nullptr, m, vk::kReturn, 0));
    EXPECT_EQ(log.entries, (Strings{"c.KeyDown:100", "c.KeyMessage:100", "c.KeyMessage:102",
                                    "c.KeyUp:101", "c.KeyMessage:101", "c.KeyDown:104",
                                    "c.KeyMessage:104", "c.KeyUp:105", "c.KeyMessage:105"}));
}

TEST(IMControl, ClosingCutsEverythingButTheFocusNotifications)
{
    Plain control(nullptr, {0, 0, 10, 10});
    Log log;
    log.Watch(control, "c");
    control.SetFocusable(true);
    control.Close();
    control.Close();
    control.Disable();
    control.RaiseClick(Mouse(code::kLeftClick, 0));
    control.SetFocused(true);
    EXPECT_EQ(log.entries, (Strings{"c.Closed:10", "c.FocusGained:11"}));
}

TEST(IMControl, IdsAreNeverReused)
{
    auto a = std::make_unique<Plain>(nullptr, Rect{});
    const std::int32_t first = a->GetId();
    a.reset();
    Plain b(nullptr, {});
    Plain c(nullptr, {});
    EXPECT_GT(b.GetId(), first);
    EXPECT_EQ(c.GetId(), b.GetId() + 1);
}

}  // namespace
}  // namespace pestrol::test
