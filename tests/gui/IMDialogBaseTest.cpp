#include "gfx/GfxTestSupport.h"
#include "gui/GuiTestSupport.h"

#include <boost/bind/bind.hpp>
#include <gtest/gtest.h>

namespace pestrol::test {
namespace {

using Strings = std::vector<std::string>;

IMEvent Idle(IMControl* sender)
{
    return IMEvent(sender, code::kIdle);
}

IMMouseEvent Mouse(std::uint32_t message, std::int32_t x, std::int32_t y, std::uint32_t flags = 0)
{
    return IMMouseEvent(nullptr, message, flags, x, y);
}

// The window's dialog on a real renderer (drawing asks it for the origin and clip).
class Dialogs : public RendererTest {
protected:
    void SetUp() override
    {
        RendererTest::SetUp();
        m_root = std::make_unique<IMDialog>(nullptr, Rect{0, 0, 800, 600}, 0);
    }
    void TearDown() override
    {
        m_root.reset();
        RendererTest::TearDown();
    }

    IMDialog& Root() { return *m_root; }

    std::unique_ptr<IMDialog> m_root;
    Log log;

    void Pass() { Root().HandleIdle(Idle(&Root())); }
    void MoveTo(std::int32_t x, std::int32_t y) { Root().HandleMouseMove(Mouse(msg::kMouseMove, x, y)); }
    void Press(std::uint32_t message, std::int32_t x, std::int32_t y, std::uint32_t flags)
    {
        Root().HandleMouseButton(Mouse(message, x, y, flags));
    }
};

TEST_F(Dialogs, ChildrenJoinAtTheNextPass)
{
    auto* child = new Plain(&Root(), {0, 0, 10, 10});
    EXPECT_TRUE(Root().Children().empty());
    MoveTo(5, 5);
    EXPECT_EQ(Root().GetMouseOverChild(), nullptr) << "not routed before it joined";
    Pass();
    ASSERT_EQ(Root().Children().at(0), std::vector<IMControl*>{child});
    MoveTo(6, 6);
    EXPECT_EQ(Root().GetMouseOverChild(), child);
}

TEST_F(Dialogs, AControlAddedAndClosedInOnePassGoesAtOnce)
{
    bool deleted = false;
    auto* child = new Plain(&Root(), {0, 0, 10, 10}, 3, &deleted);
    child->Close();
    EXPECT_TRUE(deleted);
    Pass();
    EXPECT_TRUE(Root().Children().empty());
}

TEST_F(Dialogs, LayersDrawUpwardsAndAreHitDownwards)
{
    {
        auto* five = new Plain(&Root(), {0, 0, 100, 100}, 5);
        auto* zero = new Plain(&Root(), {0, 0, 100, 100}, 0);
        auto* two = new Plain(&Root(), {0, 0, 100, 100}, 2);
        Pass();
        log.Watch(*five, "5");
        log.Watch(*zero, "0");
        log.Watch(*two, "2");
        Root().HandleDraw(IMEvent(&Root(), code::kDraw));
        EXPECT_EQ(log.entries, (Strings{"0.Drawn:f", "2.Drawn:f", "5.Drawn:f"}));
        log.entries.clear();
        MoveTo(50, 50);
        EXPECT_EQ(log.entries, Strings{"5.MouseEntered:20b"});
        five->Hide();
        EXPECT_EQ(Root().GetMouseOverChild(), two) << "a hidden child is never under the mouse";
        EXPECT_EQ(Root().LayerOf(two), 2);
        Plain stranger(nullptr, {});
        EXPECT_EQ(Root().LayerOf(&stranger), 0);
    }
}

TEST_F(Dialogs, InOneLayerTheLaterChildIsOnTop)
{
    auto* first = new Plain(&Root(), {0, 0, 100, 100});
    auto* second = new Plain(&Root(), {50, 50, 150, 150});
    Pass();
    MoveTo(75, 75);
    EXPECT_EQ(Root().GetMouseOverChild(), second);
    MoveTo(25, 25);
    EXPECT_EQ(Root().GetMouseOverChild(), first);
}

TEST_F(Dialogs, TheNewChildIsEnteredBeforeTheOldIsLeft)
{
    auto* a = new Plain(&Root(), {0, 0, 10, 10});
    auto* b = new Plain(&Root(), {10, 0, 20, 10});
    Pass();
    log.Watch(*a, "a");
    log.Watch(*b, "b");
    MoveTo(5, 5);
    MoveTo(15, 5);
    MoveTo(500, 500);
    EXPECT_EQ(log.entries, (Strings{"a.MouseEntered:20b", "b.MouseEntered:20b", "a.MouseLeft:2a3",
                                    "b.MouseLeft:2a3"}));
}

TEST_F(Dialogs, AControlThatMovesUnderAStillMouseIsEntered)
{
    auto* a = new Plain(&Root(), {0, 0, 10, 10});
    Pass();
    MoveTo(50, 50);
    EXPECT_EQ(Root().GetMouseOverChild(), nullptr);
    a->SetRect({40, 40, 60, 60});
    EXPECT_EQ(Root().GetMouseOverChild(), a);
    EXPECT_TRUE(a->IsMouseOver());
    a->SetRect({0, 0, 10, 10});
    EXPECT_EQ(Root().GetMouseOverChild(), nullptr);
    EXPECT_FALSE(a->IsMouseOver());
}

TEST_F(Dialogs, PressOnOneReleaseOnAnother)
{
    auto* a = new Plain(&Root(), {0, 0, 10, 10});
    auto* b = new Plain(&Root(), {10, 0, 20, 10});
    Pass();
    int clicksA = 0, clicksB = 0;
    a->Clicked.connect([&](const IMMouseEvent&) { ++clicksA; return 0L; });
    b->Clicked.connect([&](const IMMouseEvent&) { ++clicksB; return 0L; });
    // B keeps a press that was released elsewhere.
    MoveTo(15, 5);
    Press(msg::kLButtonDown, 15, 5, mk::kLButton);
    MoveTo(5, 5);
    Press(msg::kLButtonUp, 5, 5, 0);
    EXPECT_EQ(clicksA, 0) << "A saw no press";
    // Press on A, release on B: B's stale press makes a click.
    Press(msg::kLButtonDown, 5, 5, mk::kLButton);
    MoveTo(15, 5);
    Press(msg::kLButtonUp, 15, 5, 0);
    EXPECT_EQ(clicksB, 1);
    EXPECT_EQ(clicksA, 0);
    EXPECT_TRUE(a->IsPressed()) << "leaving does not clear the press";
}

TEST_F(Dialogs, MiceArriveInTheReceiversCoordinates)
{
    IMDialog* inner = Root().CreateDialog(100, 50, 200, 200, 1);
    auto* child = new Plain(inner, {10, 10, 30, 30});
    Pass();
    Pass();
    std::int32_t x = -1, y = -1;
    child->MouseMoved.connect([&](const IMMouseEvent& e) { x = e.m_x; y = e.m_y; return 0L; });
    MoveTo(120, 70);
    EXPECT_EQ(inner->GetMouseOverChild(), child);
    EXPECT_EQ(x, 20);
    EXPECT_EQ(y, 20);
    EXPECT_EQ(inner->GetLastMousePosition(), (Point{20, 20}));
}

TEST_F(Dialogs, ClosingTheHoveredAndFocusedChildForgetsItWhenDeleted)
{
    bool deleted = false;
    auto* child = new Plain(&Root(), {0, 0, 10, 10}, 0, &deleted);
    child->SetFocusable(true);
    Pass();
    MoveTo(5, 5);
    Press(msg::kLButtonDown, 5, 5, mk::kLButton);
    ASSERT_EQ(Root().GetFocusedChild(), child);
    child->Close();
    EXPECT_FALSE(deleted);
    EXPECT_EQ(Root().GetMouseOverChild(), child);
    EXPECT_EQ(Root().GetFocusedChild(), child);
    Pass();
    EXPECT_TRUE(deleted);
    EXPECT_EQ(Root().GetMouseOverChild(), nullptr);
    EXPECT_EQ(Root().GetFocusedChild(), nullptr);
}

TEST_F(Dialogs, FocusFollowsClicksAndKeysFollowTheFocus)
{
    IMDialog* screen = Root().CreateDialog(0, 0, 800, 600);
    auto* a = new Plain(screen, {0, 0, 10, 10});
    auto* b = new Plain(screen, {10, 0, 20, 10});
    auto* fixed = new Plain(screen, {20, 0, 30, 10});
    a->SetFocusable(true);
    b->SetFocusable(true);
    Pass();
    Pass();
    log.Watch(*a, "a");
    log.Watch(*b, "b");
    log.Watch(*fixed, "fixed");
    MoveTo(5, 5);
    Press(msg::kLButtonDown, 5, 5, mk::kLButton);
    EXPECT_TRUE(screen->HasFocus()) << "the chain rises to the window";
    EXPECT_EQ(Root().GetFocusedChild(), screen);
    Root().HandleKey(IMKeyboardEvent(nullptr, msg::kChar, L'ж', 0));
    MoveTo(15, 5);
    Press(msg::kLButtonDown, 15, 5, mk::kLButton);
    MoveTo(25, 5);
    Press(msg::kLButtonDown, 25, 5, mk::kLButton);
    Root().HandleKey(IMKeyboardEvent(nullptr, msg::kKeyDown, vk::kReturn, 0));
    EXPECT_EQ(log.entries,
              (Strings{"a.MouseEntered:20b", "a.FocusGained:11", "a.MouseButton:201",
                       "a.KeyMessage:102", "b.MouseEntered:20b", "a.MouseLeft:2a3",
                       "a.FocusLost:12", "b.FocusGained:11", "b.MouseButton:201",
                       "fixed.MouseEntered:20b", "b.MouseLeft:2a3", "fixed.MouseButton:201",
                       "b.KeyDown:100", "b.KeyMessage:100"}));
    Root().HandleFocusOut(IMEvent(&Root(), code::kFocusOut));
    EXPECT_FALSE(b->HasFocus());
    EXPECT_EQ(screen->GetFocusedChild(), nullptr);
}

TEST_F(Dialogs, ClosingADialogQueuesItsWholeSubtree)
{
    bool leafDeleted = false, neverClosedDeleted = false;
    IMDialog* screen = Root().CreateDialog(0, 0, 800, 600);
    IMDialog* box = screen->CreateDialog(10, 10, 100, 100);
    new Plain(box, {0, 0, 5, 5}, 0, &leafDeleted);
    Pass();
    Pass();
    Pass();
    int closed = 0;
    box->Closed.connect([&](const IMEvent&) { ++closed; return 0L; });
    screen->Close();
    EXPECT_EQ(closed, 0) << "children are closed without their Closed";
    Pass();
    EXPECT_TRUE(leafDeleted);
    EXPECT_TRUE(Root().Children().empty());
    {
        IMDialog orphan(nullptr, Rect{0, 0, 10, 10}, 0);
        new Plain(&orphan, {}, 0, &neverClosedDeleted);
    }
    EXPECT_TRUE(neverClosedDeleted) << "a dialog takes children never closed with it";
}

// Drawing with a real renderer: clipping and nested origins.
class DialogDrawing : public RendererTest {
protected:
    void SetUp() override
    {
        RendererTest::SetUp();
        const auto png = MakePng(1, 1, {0xFFFFFFFF});
        Manager().RegisterImage(L"white", png.data(), png.size());
    }
    class Box : public IMViewControl<IMTextureView> {
    public:
        Box(IMDialog* parent, Rect rect, Colour c) : IMViewControl<IMTextureView>(parent, 0)
        {
            SetImage(L"white");
            colour = c;
            SetRect(rect);
        }
    };
    void Draw(IMDialog& root)
    {
        root.HandleIdle(Idle(&root));
        for (int i = 0; i < 3; ++i)
            root.HandleIdle(Idle(&root));
        Manager().BeginFrame();
        root.HandleDraw(IMEvent(&root, code::kDraw));
    }
};

TEST_F(DialogDrawing, ChildrenAreCutAtTheirDialogAndPlacedInItsSpace)
{
    IMDialog root(nullptr, Rect{0, 0, 800, 600}, 0);
    IMDialog* panel = root.CreateDialog(100, 100, 50, 50);
    IMDialog* inner = panel->CreateDialog(10, 10, 30, 30);
    new Box(inner, {5, 5, 100, 100}, 0xFFFF0000);  // reaches far beyond both dialogs
    IMDialog* outside = root.CreateDialog(900, 0, 50, 50);
    new Box(outside, {-900, 0, 100, 100}, 0xFF00FF00);
    Draw(root);
    EXPECT_EQ(PixelAt(114, 114), kOpaqueBlack) << "before the box starts";
    EXPECT_EQ(PixelAt(115, 115), 0xFFFF0000u);
    EXPECT_EQ(PixelAt(139, 139), 0xFFFF0000u);
    EXPECT_EQ(PixelAt(140, 139), kOpaqueBlack) << "cut at the inner dialog's edge";
    EXPECT_EQ(PixelAt(139, 140), kOpaqueBlack);
    EXPECT_EQ(PixelAt(10, 10), kOpaqueBlack) << "a dialog outside the clip draws nothing";
    EXPECT_FALSE(root.IsDirty()) << "drawing clears the whole tree's marks";
}

}  // namespace
}  // namespace pestrol::test

namespace pestrol::test {
namespace {

TEST(Trackable, AHandlerBoundToADeletedControlIsCut)
{
    IMDialog root(nullptr, Rect{0, 0, 800, 600}, 0);
    auto* source = new Plain(&root, {0, 0, 10, 10});
    auto* listener = new Plain(&root, {0, 0, 10, 10});
    root.HandleIdle(Idle(&root));
    source->Clicked.connect(boost::bind(&IMControl::Hide, listener));
    EXPECT_EQ(source->Clicked.num_slots(), 1u);
    listener->Close();
    root.HandleIdle(Idle(&root));
    EXPECT_EQ(source->Clicked.num_slots(), 0u);
    source->RaiseClick(IMMouseEvent(nullptr, code::kLeftClick, 0, 0, 0));
}

}  // namespace
}  // namespace pestrol::test
