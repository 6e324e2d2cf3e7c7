#include "gfx/IMResourceManager.h"
#include "platform/Utf8.h"
#include "screens/ScreenTestSupport.h"

namespace pestrol::test {
namespace {

class InstructionTest : public ScreensTest {
protected:
    // The first instruction, as the start screen begins it.
    IMDialog* BeginFirstInstruction()
    {
        m_app->BeginInstruction();
        Pass();
        return m_app->instructions.back();
    }
    static std::vector<IMPicture*> PicturesIn(IMDialog* dialog, std::int32_t layer)
    {
        std::vector<IMPicture*> pictures;
        if (auto it = dialog->Children().find(layer); it != dialog->Children().end())
            for (IMControl* child : it->second)
                if (auto* picture = dynamic_cast<IMPicture*>(child))
                    pictures.push_back(picture);
        return pictures;
    }
};

TEST_F(InstructionTest, SpaceClosesTheFirstInstructionOnlyOnceThePromptHasStarted)
{
    IMDialog* dialog = BeginFirstInstruction();
    Key(vk::kSpace);
    EXPECT_TRUE(m_app->IsInstructionActive()) << "no prompt yet";
    EXPECT_TRUE(m_app->exercises.empty());

    m_app->ShowClosingPrompt(dialog);
    Pass();
    Key(vk::kSpace);
    EXPECT_FALSE(m_app->IsInstructionActive());
    EXPECT_EQ(m_app->exercises.size(), 1u) << "Space started the exercise";
}

TEST_F(InstructionTest, ThePromptShowsItsPicturesInFrontAndLetsThemGoWithTheDialog)
{
    IMDialog* dialog = BeginFirstInstruction();
    m_app->ShowClosingPrompt(dialog);
    Pass();
    const std::vector<IMPicture*> pictures = PicturesIn(dialog, 1000);
    ASSERT_EQ(pictures.size(), 3u);
    const Rect expected[]
        = { { 107, 347, 631, 577 }, { 500, 209, 746, 455 }, { 237, 502, 349, 516 } };
    for (std::size_t i = 0; i < pictures.size(); ++i)
        EXPECT_EQ(pictures[i]->GetRect(), expected[i]) << i;
    IMResourceManager& manager = *ResourceManager();
    const TextureIndex keyboard = manager.FindTexture(L"KEYBOARDPIC");
    ASSERT_NE(keyboard, manager.SlotCount());
    EXPECT_EQ(manager.GetRefCount(keyboard), 1) << "the picture holds the only reference";
    for (const wchar_t* name : { L"KEYBOARDPIC", L"MOUSE" })
        EXPECT_EQ(manager.GetTexturePixel(manager.FindTexture(name), 0, 0) >> 24, 0u)
            << "the instruction shows through the corner of " << ToUtf8(name);

    Key(vk::kEscape);
    Pass();
    EXPECT_EQ(manager.FindTexture(L"KEYBOARDPIC"), manager.SlotCount());
    EXPECT_EQ(manager.FindTexture(L"KEYSPACE"), manager.SlotCount());
}

TEST_F(InstructionTest, ARepeatedInstructionClosesOnAnyKeyAndCountsOnce)
{
    Key(vk::kF1);
    ASSERT_EQ(m_app->instructions.size(), 1u);
    m_app->ShowClosingPrompt(m_app->instructions[0]);
    Key(vk::kSpace);
    EXPECT_FALSE(m_app->IsInstructionActive());
    EXPECT_EQ(m_app->ExtraInstructionCount(), 1);
    EXPECT_TRUE(m_app->exercises.empty()) << "a repeated instruction starts nothing";
}

// Run by the message loop: the default page closes itself after five seconds, and the
// space bar's mark blinks meanwhile; closing the page stops the prompt's sound and its
// blink timer.
TEST_F(InstructionTest, TheDefaultPageClosesItselfAfterFiveSecondsWhileTheMarkBlinks)
{
    IMDialog* dialog = BeginFirstInstruction();
    m_app->ShowClosingPrompt(dialog);
    Pass();
    IMPicture* mark = PicturesIn(dialog, 1000).at(2);
    std::vector<bool> hidden; // sampled every 250 ms, half-way between two toggles
    const std::int32_t sampler = Window().AddTimer(250);
    std::uint32_t ticks = 0;
    Window().ConnectTimer(sampler, [&](const IMEvent&) {
        ++ticks;
        if (ticks % 2 == 1 && m_app->exercises.empty())
            hidden.push_back(mark->IsHidden());
        if (ticks == 22)
            Window().Close();
        return 0L;
    });
    RunMessageLoop(Window());
    EXPECT_EQ(m_app->exercises.size(), 1u) << "the page closed itself, the exercise started";
    EXPECT_FALSE(m_app->IsInstructionActive()) << "so F1 can repeat it";
    ASSERT_GE(hidden.size(), 8u);
    for (std::size_t i = 0; i < 8; ++i)
        EXPECT_EQ(hidden[i], i % 2 == 1) << "sample " << i;
}

} // namespace
} // namespace pestrol::test
