#include "media/CSoundSource.h"
#include "media/SoundTestBase.h"
#include "platform/RegisteredMessages.h"

#include "platform/Utf8.h"

#include <algorithm>
#include <fstream>

namespace pestrol::test {
namespace {

using namespace std::chrono_literals;
using Strings = std::vector<std::string>;

class SoundSystem : public SoundTestBase {};

TEST_F(SoundSystem, AShortSoundStartsAtOnceAndEndsAfterItsSilentHalves)
{
    Start();
    const std::uint32_t id = FromMemory(L"short", ShortTone());
    ASSERT_NE(id, 0u);
    Recorder heard;
    heard.Listen(*sounds->FindStream(id));
    const double played = heard.Now();
    PlayToEnd(id, heard);
    window.Run(*sounds, 200ms);

    ASSERT_EQ(heard.Order(), (Strings{"started", "ended"}));
    EXPECT_EQ(heard.First("started")->id, id);
    EXPECT_LT(heard.First("started")->at - played, 0.1);
    const double afterData = heard.First("ended")->at - played - 0.3;
    EXPECT_GE(afterData, 0.5);
    EXPECT_LE(afterData, 1.0);
    EXPECT_FALSE(sounds->FindStream(id)->IsPlaying());
}

TEST_F(SoundSystem, PlayOnAPlayingStreamIsRefusedAndPostsNothing)
{
    Start();
    const std::uint32_t id = FromMemory(L"short", ShortTone());
    Recorder heard;
    heard.Listen(*sounds->FindStream(id));
    ASSERT_TRUE(sounds->PlaySound(id));
    EXPECT_FALSE(sounds->PlaySound(id));
    window.Run(*sounds, 3000ms, [&] { return heard.Count("ended") > 0; });
    EXPECT_EQ(heard.Order(), (Strings{"started", "ended"}));
    EXPECT_FALSE(sounds->PlaySound(0));
    EXPECT_FALSE(sounds->PlaySound(id + 1));
}

TEST_F(SoundSystem, StopReturnsOnceTheWorkerEndedAndTheEndFollows)
{
    Start();
    const std::uint32_t id = FromMemory(L"long", LongTone());
    Recorder heard;
    heard.Listen(*sounds->FindStream(id));
    EXPECT_FALSE(sounds->StopSound(id)) << "not playing yet";
    ASSERT_TRUE(sounds->PlaySound(id));
    window.Run(*sounds, 300ms);
    EXPECT_TRUE(sounds->StopSound(id));
    EXPECT_FALSE(sounds->FindStream(id)->IsPlaying());
    EXPECT_FALSE(sounds->StopSound(id));
    const double stopped = heard.Now();
    window.Run(*sounds, 500ms, [&] { return heard.Count("ended") > 0; });
    ASSERT_EQ(heard.Order(), (Strings{"started", "ended"}));
    EXPECT_LT(heard.First("ended")->at - stopped, 0.05) << "posted before StopSound returned";

    ASSERT_TRUE(sounds->PlaySound(id)) << "a stopped stream plays again";
    window.Run(*sounds, 300ms, [&] { return heard.Count("started") > 1; });
    EXPECT_EQ(heard.Count("started"), 2);
    EXPECT_FALSE(sounds->StopSound(0));
}

TEST_F(SoundSystem, LabelsFireOnceEachAtTheirTimes)
{
    Start();
    const std::uint32_t id = FromMemory(L"long", LongTone());
    Recorder heard;
    heard.Listen(*sounds->FindStream(id));
    sounds->AddLabel(id, 2500, heard.Label());
    sounds->AddLabel(id, 8960, heard.Label());
    const double played = heard.Now();
    PlayToEnd(id, heard, 12000ms);

    ASSERT_EQ(heard.Order(), (Strings{"started", "label", "label", "ended"}));
    const auto& all = heard.All();
    EXPECT_EQ(all[1].time, 2500u);
    EXPECT_EQ(all[2].time, 8960u);
    EXPECT_EQ(all[1].id, id);
    EXPECT_NEAR(all[1].at - played, 2.5, 0.1);
    EXPECT_NEAR(all[2].at - played, 8.96, 0.1);
    EXPECT_EQ(window.TimerCount(), 0u);
}

TEST_F(SoundSystem, AStopBeforeALabelCancelsIt)
{
    Start();
    const std::uint32_t id = FromMemory(L"long", LongTone());
    Recorder heard;
    sounds->AddLabel(id, 2500, heard.Label());
    sounds->AddLabel(id, 8960, heard.Label());
    ASSERT_TRUE(sounds->PlaySound(id));
    window.Run(*sounds, 4000ms);
    ASSERT_TRUE(sounds->StopSound(id));
    EXPECT_EQ(window.TimerCount(), 0u);
    window.Run(*sounds, 5500ms);
    ASSERT_EQ(heard.Count("label"), 1);
    EXPECT_EQ(heard.First("label")->time, 2500u);
}

TEST_F(SoundSystem, LabelsAfterTheNaturalEndDoNotFire)
{
    Start();
    const std::uint32_t id = FromMemory(L"short", ShortTone());
    Recorder heard;
    heard.Listen(*sounds->FindStream(id));
    sounds->AddLabel(id, 200, heard.Label());
    sounds->AddLabel(id, 1600, heard.Label());
    ASSERT_TRUE(sounds->PlaySound(id));
    window.Run(*sounds, 2000ms);
    EXPECT_EQ(heard.Order(), (Strings{"started", "label", "ended"}));
    EXPECT_EQ(window.TimerCount(), 0u);
}

TEST_F(SoundSystem, WithoutAMainWindowLabelsAreSkippedAndTheSoundStillPlays)
{
    Start();
    const std::uint32_t id = FromMemory(L"short", ShortTone());
    Recorder heard;
    heard.Listen(*sounds->FindStream(id));
    sounds->AddLabel(id, 100, heard.Label());
    IMTimerHost::SetMain(nullptr);
    PlayToEnd(id, heard);
    IMTimerHost::SetMain(&window);
    EXPECT_EQ(heard.Order(), (Strings{"started", "ended"}));
}

TEST_F(SoundSystem, TheSameNameGivesTheSameStreamAndCutsItsEndHandlers)
{
    Start();
    const std::uint32_t id = sounds->CreateSound(L"163");
    ASSERT_NE(id, 0u);
    Recorder heard;
    sounds->OnSoundEnd(id, heard.Sound("first end"));
    sounds->FindStream(id)->Started().connect(heard.Sound("started"));

    EXPECT_EQ(sounds->CreateSound(L"163"), id);
    EXPECT_EQ(sounds->SourceUseCount(L"163"), 1u);
    sounds->OnSoundEnd(id, heard.Sound("second end"));
    PlayToEnd(id, heard, 3000ms, "second end");
    window.Run(*sounds, 100ms);
    EXPECT_EQ(heard.Order(), (Strings{"started", "second end"}));

    EXPECT_EQ(FromMemory(L"a", ShortTone()), id + 1);
    EXPECT_EQ(FromMemory(L"a", LongTone()), id + 1) << "the name decides, not the data";
    EXPECT_EQ(FromMemory(L"b", ShortTone()), id + 2);
    EXPECT_EQ(sounds->SourceUseCount(L"b"), 1u);
    EXPECT_EQ(sounds->SourceUseCount(L"c"), 0u);
}

TEST_F(SoundSystem, WithoutOutputNoStreamIsMadeButTheSourceIsCounted)
{
    EXPECT_EQ(sounds->CreateSound(L"163"), 0u);
    EXPECT_EQ(sounds->SourceUseCount(L"163"), 1u);
    EXPECT_EQ(sounds->CreateSound(L"163"), 0u);
    EXPECT_EQ(sounds->SourceUseCount(L"163"), 2u);
    Start();
    EXPECT_EQ(sounds->CreateSound(L"163"), 1u);
    EXPECT_EQ(sounds->SourceUseCount(L"163"), 3u);
    EXPECT_EQ(sounds->CreateSound(L"163"), 1u);
    EXPECT_EQ(sounds->SourceUseCount(L"163"), 3u);
}

TEST_F(SoundSystem, ResourcesLoseTheirTailAndOtherSourcesDoNot)
{
    Start();
    const auto file = Scratch("tone.ogg");
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(ResourceTone().data()),
               static_cast<std::streamsize>(ResourceTone().size()));
    struct Case {
        std::wstring name;
        std::int64_t frames;
    };
    const Case cases[] = {
        {L"167", 96472},                 // 100,000 - 44,100 x 2 x 2 x 0.02
        {L"163", 13230 - 3528},
        {L"300", 13230 - 3528},          // from the pack
        {file.wstring(), 100000},
    };
    for (const Case& c : cases) {
        const std::uint32_t id = sounds->CreateSound(c.name);
        ASSERT_NE(id, 0u);
        EXPECT_EQ(sounds->FindStream(id)->Source().TotalFrames(), c.frames);
    }
    const std::uint32_t memory = FromMemory(L"167 in memory", ResourceTone());
    EXPECT_EQ(sounds->FindStream(memory)->Source().TotalFrames(), 100000);

    const auto mono = EncodeTone({1, 22050, 10000, 440.0, 0.5});
    auto source = CSoundSource::OpenMemory(mono.data(), mono.size());
    ASSERT_TRUE(source);
    EXPECT_EQ(source->BytesPerFrame(), 2);
    EXPECT_EQ(source->Rate(), 22050);
}

TEST_F(SoundSystem, BadDataAndMissingSoundsGiveNoStream)
{
    Start();
    const std::vector<std::uint8_t>& good = ShortTone();
    std::vector<std::uint8_t> random(4000);
    for (std::size_t i = 0; i < random.size(); ++i)
        random[i] = static_cast<std::uint8_t>(i * 2654435761u >> 13);
    std::vector<std::uint8_t> headerOnly(good.begin(), good.begin() + 60);
    std::vector<std::uint8_t> badSetup = good;
    for (std::size_t i = 100; i < 400 && i < badSetup.size(); ++i)
        badSetup[i] ^= 0x5A;
    std::vector<std::uint8_t> otherOgg = good;
    std::copy_n("\x80theora", 7, otherOgg.begin() + 28);  // the first packet names another codec
    const std::vector<std::uint8_t> empty;
    const std::vector<std::uint8_t>* bad[] = {&random, &headerOnly, &badSetup, &otherOgg, &empty};

    Recorder heard;
    for (const auto* bytes : bad)
        EXPECT_EQ(FromMemory(L"bad", *bytes), 0u) << bytes->size() << " bytes";
    EXPECT_EQ(sounds->CreateSound(L"null", nullptr, 1000), 0u);

    const auto text = Scratch("notes.txt");
    std::ofstream(text) << "not a sound\n";
    for (const std::wstring& name : {std::wstring(L"999"), Scratch("missing.ogg").wstring(),
                                     text.wstring(), Scratch("").wstring(), std::wstring()})
        EXPECT_EQ(sounds->CreateSound(name), 0u);

    EXPECT_EQ(sounds->CreateSound(L"163"), 1u) << "failures use up no id";
    for (std::uint32_t id : {0u, 7u}) {
        sounds->OnSoundEnd(id, heard.Sound("ended"));
        sounds->AddLabel(id, 10, heard.Label());
        EXPECT_FALSE(sounds->PlaySound(id));
        EXPECT_FALSE(sounds->StopSound(id));
    }
    window.Run(*sounds, 100ms);
    EXPECT_TRUE(heard.All().empty());
}

TEST_F(SoundSystem, ATruncatedSoundPlaysWhatThereIsAndEnds)
{
    Start();
    const std::vector<std::uint8_t> half(ResourceTone().begin(),
                                         ResourceTone().begin() + ResourceTone().size() / 2);
    const std::uint32_t id = FromMemory(L"half", half);
    ASSERT_NE(id, 0u);
    EXPECT_LT(sounds->FindStream(id)->Source().TotalFrames(), 100000);
    Recorder heard;
    heard.Listen(*sounds->FindStream(id));
    PlayToEnd(id, heard);
    EXPECT_EQ(heard.Order(), (Strings{"started", "ended"}));
}

TEST_F(SoundSystem, EachMessageRaisesItsStreamsSignal)
{
    Start();
    const std::uint32_t id = FromMemory(L"short", ShortTone());
    Recorder heard;
    heard.Listen(*sounds->FindStream(id));
    sounds->AddLabel(id, 2500, heard.Label());
    sounds->AddLabel(id, 8960, heard.Label());
    struct Case {
        const wchar_t* name;
        std::uint32_t wParam;
        std::uint32_t lParam;
        Strings heard;
    };
    const Case cases[] = {
        {L"WM_IM_ONSOUNDPLAY", id, 0, {"started"}},
        {L"WM_IM_ONSOUNDPOUSE", id, 0, {"ended"}},
        {L"WM_IM_ONSOUNDSTOP", id, 0, {"stopped"}},
        {L"WM_IM_ONLABEL", id, 8960, {"label"}},
        {L"WM_IM_ONLABEL", id, 100, {}},
        {L"WM_IM_ONSOUNDPLAY", id + 1, 0, {}},
    };
    for (const Case& c : cases) {
        const std::size_t before = heard.All().size();
        EXPECT_TRUE(sounds->HandleSoundMessage(RegisterMessage(c.name), c.wParam, c.lParam));
        Strings now;
        for (std::size_t i = before; i < heard.All().size(); ++i)
            now.push_back(heard.All()[i].what);
        EXPECT_EQ(now, c.heard) << ToUtf8(c.name);
    }
    EXPECT_EQ(heard.All().back().time, 8960u);
    EXPECT_FALSE(sounds->HandleSoundMessage(msg::kKeyDown, id, 0));
    EXPECT_FALSE(sounds->HandleSoundMessage(0, id, 0));

    std::vector<MessageId> numbers;
    for (const wchar_t* name : {L"WM_IM_ONSOUNDPLAY", L"WM_IM_ONSOUNDPOUSE", L"WM_IM_ONSOUNDSTOP",
                                L"WM_IM_ONLABEL"})
        numbers.push_back(RegisterMessage(name));
    std::sort(numbers.begin(), numbers.end());
    EXPECT_EQ(std::unique(numbers.begin(), numbers.end()), numbers.end());
    EXPECT_GT(numbers.front(), msg::kMouseLeave) << "apart from the fixed messages";
}

}  // namespace
}  // namespace pestrol::test
