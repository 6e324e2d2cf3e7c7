// The video view and its animation control on the real software renderer, with clips of our
// own encoder and the program's praise videos; time comes from a clock the test sets.
#include "OggTone.h"
#include "gfx/GfxTestSupport.h"
#include "gui/IMDialogBase.h"
#include "gui/IMLoopPace.h"
#include "media/IMAnimationBase.h"
#include "media/VideoClips.h"
#include "platform/Clock.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <list>
#include <random>
#include <set>
#include <stdexcept>
#include <string>
#include <thread>

namespace pestrol::test {
namespace {

// One colour per frame of the test clip, far apart; white is the backdrop, never a frame.
const std::vector<Colour> kFrameColours = { 0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFF00,
    0xFFFF00FF, 0xFF00FFFF, 0xFF808080, 0xFFFF8000, 0xFF000000, 0xFF8000FF };
constexpr int kFrames = 10;
constexpr int kBlank = -1; // the backdrop shows through
constexpr int kUnknown = -2;
constexpr int kTolerance = 12;
constexpr Point kInside { 116, 116 };

bool Near(Colour a, Colour b, int tolerance = kTolerance)
{
    return std::abs(RedOf(a) - RedOf(b)) <= tolerance
        && std::abs(GreenOf(a) - GreenOf(b)) <= tolerance
        && std::abs(BlueOf(a) - BlueOf(b)) <= tolerance;
}

int FrameOf(Colour colour)
{
    if (Near(colour, kWhite, 2))
        return kBlank;
    for (int i = 0; i < kFrames; ++i)
        if (Near(colour, kFrameColours[i]))
            return i;
    return kUnknown;
}

// Time in 1/60,000 s, set by the test.
class ClockedAnimation : public IMAnimationBase<IMTheoraView> {
public:
    using IMAnimationBase::IMAnimationBase;
    std::uint64_t now = 0;

protected:
    std::uint64_t ReadCounter() const override { return now; }
    std::uint64_t CounterFrequency() const override { return 60000; }
};

class Video : public RendererTest {
protected:
    void SetUp() override
    {
        RendererTest::SetUp();
        m_root = std::make_unique<IMDialog>(nullptr, Rect { 0, 0, 800, 600 }, 0);
        const auto png = MakePng(1, 1, { kWhite });
        m_backdrop = Manager().RegisterImage(L"backdrop", png.data(), png.size());
    }
    void TearDown() override
    {
        m_root.reset();
        RendererTest::TearDown();
    }

    const Bytes& Keep(Bytes clip) { return m_clips.emplace_back(std::move(clip)); }
    static const Bytes& TestClip()
    {
        static const Bytes clip = SolidClip(kFrameColours);
        return clip;
    }

    // Opened, placed at (100, 100) and joined to the tree.
    template <class Animation = ClockedAnimation>
    Animation& Animate(
        const std::uint8_t* data, std::size_t size, Rect rect = { 100, 100, 132, 132 })
    {
        auto* animation = new Animation(m_root.get(), 0);
        animation->Open(data, size);
        animation->SetRect(rect);
        Pass();
        return *animation;
    }
    ClockedAnimation& Animate(const Bytes& clip) { return Animate(clip.data(), clip.size()); }

    void Pass() { m_root->HandleIdle(IMEvent(m_root.get(), code::kIdle)); }
    void At(ClockedAnimation& animation, std::uint64_t time)
    {
        animation.now = time;
        Pass();
    }
    // What the view shows at `point` over a white backdrop.
    Colour Shown(IMView& view, Point point = kInside)
    {
        Manager().BeginFrame();
        Manager().DrawTexture(m_backdrop, { 0, 0, 800, 600 }, nullptr, kWhite, 0);
        view.Draw();
        return PixelAt(point.x, point.y);
    }
    int ShownFrame(IMView& view) { return FrameOf(Shown(view)); }
    static int CountFinished(ClockedAnimation& animation, int& count)
    {
        animation.OnFinished([&count](const IMEvent&) { return long(++count); });
        return 0;
    }

    std::unique_ptr<IMDialog> m_root;
    TextureIndex m_backdrop = 0;
    std::list<Bytes> m_clips;
};

// --- Playback by time ---------------------------------------------------------------------

TEST_F(Video, AtTwelveFramesASecondEachIndexShowsItsFrameAfterABlankFirstPeriod)
{
    ClockedAnimation& animation = Animate(TestClip());
    animation.SetFramePeriod(5000);
    int finished = 0;
    CountFinished(animation, finished);
    int frameNotices = 0;
    animation.FrameChanged.connect([&](const IMEvent&) { return long(++frameNotices); });
    const std::uint64_t start = 7777;
    animation.now = start;
    animation.Play();
    std::set<int> shown;
    // A pass every 1/60 s; index = elapsed / 5000.
    for (std::uint64_t t = 0; t < 5000 * kFrames; t += 1000) {
        At(animation, start + t);
        const int index = int(t / 5000);
        const int expected = index == 0 ? kBlank : index == 1 ? 0 : index;
        SCOPED_TRACE("index " + std::to_string(index));
        ASSERT_EQ(ShownFrame(animation), expected);
        EXPECT_EQ(animation.GetCurrentFrame(), index);
        shown.insert(expected);
    }
    EXPECT_EQ(shown.count(1), 0u) << "frame 1 is decoded but never shown";
    EXPECT_EQ(finished, 0);
    EXPECT_TRUE(animation.IsPlaying());
    At(animation, start + 5000 * kFrames);
    EXPECT_EQ(finished, 1) << "stops at the first pass after the last frame's time";
    EXPECT_FALSE(animation.IsPlaying());
    EXPECT_EQ(ShownFrame(animation), kFrames - 1) << "the last frame stays";
    At(animation, start + 5000 * kFrames + 60000);
    EXPECT_EQ(finished, 1) << "once";
    EXPECT_EQ(frameNotices, kFrames) << "one at Play, one per frame shown after it";
    EXPECT_EQ(animation.GetLastFrame(), kFrames - 1);
    EXPECT_EQ(animation.GetFrameCount(), kFrames);
}

TEST_F(Video, TheFramePeriodSetsThePace)
{
    struct Case {
        std::int32_t period; // 0: the default
        std::uint64_t finishedAt; // 1/60,000 s after Play, passes every 1/60 s
    };
    for (const Case c : { Case { 5000, 50000 }, Case { 0, 24000 } }) {
        SCOPED_TRACE("period " + std::to_string(c.period));
        ClockedAnimation& animation = Animate(TestClip());
        if (c.period == 0)
            EXPECT_EQ(animation.GetFramePeriod(), 2400) << "25 frames a second";
        else
            animation.SetFramePeriod(c.period);
        int finished = 0;
        CountFinished(animation, finished);
        animation.Play();
        for (std::uint64_t t = 0; t < c.finishedAt; t += 1000)
            At(animation, t);
        EXPECT_EQ(finished, 0);
        At(animation, c.finishedAt);
        EXPECT_EQ(finished, 1);
    }
}

TEST_F(Video, TwoPassesInOnePeriodConvertNothing)
{
    ClockedAnimation& animation = Animate(TestClip());
    animation.SetFramePeriod(5000);
    animation.Play();
    At(animation, 10000);
    const int converted = animation.GetConvertedCount();
    const TextureIndex texture = animation.GetTextureIndex();
    At(animation, 12000);
    At(animation, 14999);
    EXPECT_EQ(animation.GetConvertedCount(), converted);
    EXPECT_EQ(animation.GetTextureIndex(), texture);
    EXPECT_EQ(animation.GetCurrentFrame(), 2);
    At(animation, 15000);
    EXPECT_EQ(animation.GetConvertedCount(), converted + 1);
}

TEST_F(Video, FramesSkippedByASlowProgramAreDecodedButNotConverted)
{
    ClockedAnimation& animation = Animate(TestClip());
    animation.SetFramePeriod(5000);
    animation.Play();
    At(animation, 5000);
    At(animation, 35000); // six periods late
    EXPECT_EQ(animation.GetCurrentFrame(), 7);
    EXPECT_EQ(animation.GetConvertedCount(), 3) << "frame 0 by Open, 2, then 8";
    At(animation, 40000);
    EXPECT_EQ(ShownFrame(animation), 8);
}

TEST_F(Video, StopEndsPlaybackWithFinished)
{
    ClockedAnimation& animation = Animate(TestClip());
    int finished = 0;
    CountFinished(animation, finished);
    animation.SetFramePeriod(5000);
    animation.Play();
    TakeFastPassRequest();
    for (std::uint64_t t = 0; t <= 15000; t += 1000) {
        At(animation, t);
        ASSERT_TRUE(TakeFastPassRequest()) << "a playing animation keeps the loop's waits short";
    }
    animation.Stop();
    EXPECT_EQ(finished, 1);
    EXPECT_FALSE(animation.IsPlaying());
    const int converted = animation.GetConvertedCount();
    for (std::uint64_t t = 16000; t <= 60000; t += 1000)
        At(animation, t);
    EXPECT_FALSE(TakeFastPassRequest());
    EXPECT_EQ(animation.GetCurrentFrame(), 3);
    EXPECT_EQ(ShownFrame(animation), 3);
    EXPECT_EQ(animation.GetConvertedCount(), converted);
    EXPECT_EQ(finished, 1);
}

TEST_F(Video, PlayingAgainRewindsAndReplays)
{
    ClockedAnimation& animation = Animate(TestClip());
    int finished = 0;
    CountFinished(animation, finished);
    animation.SetFramePeriod(5000);
    for (int round = 1; round <= 2; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        animation.now = 0;
        animation.Play();
        for (std::uint64_t t = 0; t <= 5000 * kFrames; t += 1000) {
            At(animation, t);
            const int index = int(t / 5000);
            if (index >= 2 && index < kFrames) {
                ASSERT_EQ(ShownFrame(animation), index);
            }
        }
        EXPECT_EQ(finished, round);
    }
}

TEST_F(Video, ShowingAnEarlierFrameRewindsTheDecoder)
{
    IMTheoraView view;
    view.Open(TestClip().data(), TestClip().size());
    view.SetRect({ 100, 100, 132, 132 });
    for (int n = 0; n < 6; ++n) {
        view.ShowFrame(n);
        ASSERT_EQ(ShownFrame(view), n) << "shown one after another, each frame comes in turn";
    }
    view.ShowFrame(0); // shows what was prepared (frame 6) and goes back for frame 1
    EXPECT_EQ(ShownFrame(view), 6);
    for (int n = 1; n < 4; ++n) {
        view.ShowFrame(n);
        ASSERT_EQ(ShownFrame(view), n);
    }
}

TEST_F(Video, PlaysOnTheRealClock)
{
    auto& animation = Animate<IMAnimationBase<IMTheoraView>>(TestClip().data(), TestClip().size());
    bool finished = false;
    animation.OnFinished([&](const IMEvent&) { return long(finished = true); });
    animation.Play(); // 25 frames a second: ten frames take 0.4 s
    const auto start = std::chrono::steady_clock::now();
    while (!finished && std::chrono::steady_clock::now() - start < std::chrono::seconds(5)) {
        Pass();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    const auto took = std::chrono::steady_clock::now() - start;
    ASSERT_TRUE(finished);
    EXPECT_GE(took, std::chrono::milliseconds(395));
    EXPECT_LT(took, std::chrono::milliseconds(1500));
}

// --- Pictures -----------------------------------------------------------------------------

TEST_F(Video, ColoursConvertFromVideoRangeWithEachQuadrantInPlace)
{
    const Colour quadrants[4] = { kWhite, 0xFFE02020, 0xFF20C040, 0xFF3040E0 };
    const Bytes& clip = Keep(QuadrantClip(64, 32, quadrants));
    IMTheoraView view;
    view.Open(clip.data(), clip.size());
    view.SetRect({ 100, 100, 164, 132 });
    view.ShowFrame(0);
    const Point centres[4] = { { 116, 108 }, { 148, 108 }, { 116, 124 }, { 148, 124 } };
    for (int q = 0; q < 4; ++q) {
        const Colour got = Shown(view, centres[q]);
        EXPECT_TRUE(Near(got, quadrants[q], 6)) << q << ": " << std::hex << got;
        EXPECT_EQ(AlphaOf(got), 0xFF);
    }
}

TEST_F(Video, EveryPraiseVideoPlaysToItsEndWithItsWhiteCornersAtItsLength)
{
    struct Case {
        const wchar_t* name;
        int frames;
    };
    for (const Case c :
        { Case { L"bravo_video", 42 }, Case { L"gotovo_video", 36 }, Case { L"molodec_video", 36 },
            Case { L"otlichno_video", 36 }, Case { L"ura_video", 48 } }) {
        SCOPED_TRACE(std::string(c.name, c.name + std::wcslen(c.name)));
        const auto bytes = PraiseVideo(c.name);
        ClockedAnimation& animation = Animate(bytes.data(), bytes.size(), { 200, 100, 520, 340 });
        animation.SetFramePeriod(5000);
        int finished = 0;
        CountFinished(animation, finished);
        animation.Play();
        const std::uint64_t length = 5000 * std::uint64_t(c.frames);
        for (std::uint64_t t = 0; t < length; t += 1000) {
            At(animation, t);
            if (t != 5000) // frame 0
                continue;
            for (Point corner : { Point { 200, 100 }, Point { 519, 339 } })
                EXPECT_TRUE(Near(Shown(animation, corner), kWhite, 3));
        }
        EXPECT_EQ(finished, 0);
        At(animation, length);
        EXPECT_EQ(finished, 1) << "finished at the video's length";
        EXPECT_EQ(animation.GetFrameCount(), c.frames);
        EXPECT_EQ(animation.GetLastFrame(), c.frames - 1);
        animation.Close();
        Pass();
    }
}

// The praise's arrangement: the cloud at (200, 100), the video squeezed into 320 x 200 over
// its middle, half-way through the cartoon.
TEST_F(Video, RendersAPreviewOfAPraiseFrameInTheCloud)
{
    const auto cloud = PraiseVideo(L"oblako_png");
    const TextureIndex cloudTexture
        = Manager().RegisterImage(L"oblako_png", cloud.data(), cloud.size());
    const auto bytes = PraiseVideo(L"bravo_video");
    IMTheoraView view;
    view.Open(bytes.data(), bytes.size());
    view.SetRect({ 293, 176, 613, 376 });
    for (int n = 0; n <= 20; ++n)
        view.ShowFrame(n);
    Manager().BeginFrame();
    Manager().DrawTexture(
        Manager().FindTexture(L"DefaultBackGround"), { 0, 0, 800, 600 }, nullptr, kWhite, 0);
    Manager().DrawTexture(
        cloudTexture, Manager().GetImageRect(cloudTexture).Offset(200, 100), nullptr, kWhite, 0);
    view.Draw();
    const auto frame = Frame();
    ASSERT_TRUE(WritePngFile("video_preview.png", 800, 600, frame));
    EXPECT_TRUE(Near(frame[800 * 177 + 294], kWhite, 3)) << "the video's white meets the cloud's";
}

// --- Textures -----------------------------------------------------------------------------

std::wstring Name(int which, std::uint32_t number)
{
    return L"IMTheoraView" + std::to_wstring(which) + std::to_wstring(number);
}

TEST_F(Video, EachOpenNamesATexturePairAndTheViewReleasesIt)
{
    auto first = std::make_unique<IMTheoraView>();
    auto second = std::make_unique<IMTheoraView>();
    first->Open(TestClip().data(), TestClip().size());
    second->Open(TestClip().data(), TestClip().size());
    std::uint32_t n = 0;
    while (n < 100000 && Manager().FindTexture(Name(1, n)) != first->GetTextureIndex())
        ++n;
    ASSERT_LT(n, 100000u) << "the first view shows its \"IMTheoraView1\" texture";
    EXPECT_NE(Manager().FindTexture(Name(2, n)), Manager().SlotCount());
    EXPECT_EQ(Manager().FindTexture(Name(1, n + 1)), second->GetTextureIndex());
    EXPECT_NE(Manager().FindTexture(Name(2, n + 1)), Manager().SlotCount());
    EXPECT_EQ(Manager().GetImageRect(first->GetTextureIndex()), (Rect { 0, 0, 32, 32 }));
    EXPECT_EQ(first->GetSourceRect(), (Rect { 0, 0, 32, 32 }));

    const TextureIndex front = Manager().FindTexture(Name(1, n));
    const TextureIndex back = Manager().FindTexture(Name(2, n));
    EXPECT_EQ(Manager().GetRefCount(front), 2) << "the view's own and the shown picture's";
    EXPECT_EQ(Manager().GetRefCount(back), 1);
    first->ShowFrame(0);
    EXPECT_EQ(first->GetTextureIndex(), back);
    EXPECT_EQ(Manager().GetRefCount(front), 1);
    EXPECT_EQ(Manager().GetRefCount(back), 2);

    first.reset();
    second.reset();
    for (int which : { 1, 2 })
        for (std::uint32_t number : { n, n + 1 })
            EXPECT_EQ(Manager().FindTexture(Name(which, number)), Manager().SlotCount());
}

TEST_F(Video, AClosedAnimationReleasesItsTexturesWhenTheDialogDeletesIt)
{
    ClockedAnimation& animation = Animate(TestClip());
    const TextureIndex front = animation.GetTextureIndex();
    animation.ShowFrame(0);
    const TextureIndex back = animation.GetTextureIndex();
    const TextureIndex others = Manager().SlotCount();
    animation.Close();
    Pass();
    EXPECT_EQ(Manager().GetRefCount(front), 0);
    EXPECT_EQ(Manager().GetRefCount(back), 0);
    EXPECT_EQ(Manager().SlotCount(), others);
}

TEST_F(Video, TheBlankFirstTextureLetsTheBackgroundShowThrough)
{
    ClockedAnimation& animation = Animate(TestClip());
    EXPECT_EQ(Shown(animation), kWhite);
    EXPECT_FALSE(animation.HitTest(116, 116)) << "a video answers no clicks";
}

// --- Bad data -----------------------------------------------------------------------------

std::vector<OggPacketCopy> TestPackets()
{
    static const auto packets = OggPackets(SolidClip(kFrameColours));
    return packets;
}

// The test clip with each packet on its own page, changed by `edit` first.
template <class Edit> Bytes Repaged(Edit edit, int serial = 517)
{
    auto packets = TestPackets();
    edit(packets);
    return Join(PagePerPacket(packets, serial));
}

Bytes Cut(const Bytes& bytes, std::size_t size)
{
    return Bytes(bytes.begin(), bytes.begin() + std::ptrdiff_t(std::min(size, bytes.size())));
}

Bytes FirstPages(const Bytes& ogg, std::size_t count)
{
    auto pages = OggPages(ogg);
    pages.resize(std::min(count, pages.size()));
    return Join(pages);
}

Bytes WithoutPage(const Bytes& ogg, std::size_t index)
{
    auto pages = OggPages(ogg);
    pages.erase(pages.begin() + std::ptrdiff_t(index));
    return Join(pages);
}

Bytes RandomBytes(std::size_t size)
{
    std::mt19937 random(517);
    Bytes bytes(size);
    for (auto& b : bytes)
        b = std::uint8_t(random());
    return bytes;
}

// Frame 0 packet (after the three headers) and frame 3's, as the first stream counts them.
constexpr std::size_t kFirstFramePacket = 3;

TEST_F(Video, DataThatIsNotOggTheoraThrowsItsMessage)
{
    const Bytes headersOnly = Repaged([](auto&) {});
    struct Case {
        const char* what;
        Bytes data;
        const char* message;
    };
    const Case cases[] = {
        { "empty", {}, "eof searched, terminate..." },
        { "random bytes", RandomBytes(50000), "eof searched, terminate..." },
        { "an Ogg Vorbis sound", tools::EncodeTone({ .frames = 20000 }),
            "error during ogg_stream_pagein" },
        { "the identification page alone", FirstPages(TestClip(), 1),
            "eof searched, terminate..." },
        { "cut inside the second page", Cut(TestClip(), OggPages(TestClip())[0].size() + 40),
            "eof searched, terminate..." },
        { "cut after the comment header", FirstPages(headersOnly, 2),
            "eof searched. terminate..." },
        { "the comment header's page lost", WithoutPage(headersOnly, 1),
            "error during ogg_stream_packetout" },
        { "a damaged setup header", Repaged([](auto& p) { p[2].bytes.resize(20); }),
            "error during theora_decode_header (corrupt stream)" },
        { "a frame larger than any texture",
            Repaged([](auto& p) { p[0].bytes[10] = 0x01, p[0].bytes[11] = 0x01; }),
            "error during theora_decode_header (corrupt stream)" },
        { "a header where frame 0 belongs",
            Repaged([](auto& p) { p[kFirstFramePacket].bytes = p[1].bytes; }),
            "error during theora_decode_packetin..." },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        IMTheoraView view;
        try {
            view.Open(c.data.data(), c.data.size());
            ADD_FAILURE() << "opened";
        } catch (const std::runtime_error& error) {
            EXPECT_STREQ(error.what(), c.message);
        }
        EXPECT_NO_THROW(view.ShowFrame(1)) << "a view that failed to open shows nothing";
        EXPECT_FALSE(view.HasTexture());
    }
    IMTheoraView view;
    EXPECT_THROW(view.Open(nullptr, 100), std::runtime_error);
}

TEST_F(Video, OtherStreamsAroundTheVideoAreIgnored)
{
    // A sound's pages first and between the video's, each stream under its own serial number.
    const auto sound = OggPages(tools::EncodeTone({ .frames = 40000 }));
    const auto video = OggPages(Repaged([](auto&) {}, 99));
    std::vector<Bytes> pages { sound[0], video[0] };
    for (std::size_t i = 1; i < std::max(sound.size(), video.size()); ++i) {
        if (i < sound.size())
            pages.push_back(sound[i]);
        if (i < video.size())
            pages.push_back(video[i]);
    }
    const Bytes& both = Keep(Join(pages));
    ClockedAnimation& animation = Animate(both);
    animation.SetFramePeriod(5000);
    animation.Play();
    for (std::uint64_t t = 0; t <= 5000 * kFrames; t += 1000) {
        At(animation, t);
        const int index = int(t / 5000);
        if (index >= 2 && index < kFrames) {
            ASSERT_EQ(ShownFrame(animation), index);
        }
    }
    EXPECT_FALSE(animation.IsPlaying());
    EXPECT_EQ(animation.GetFrameCount(), kFrames);
}

TEST_F(Video, DamageInsideTheVideoEndsItThere)
{
    const Bytes& damaged
        = Keep(Repaged([](auto& p) { p[kFirstFramePacket + 4].bytes = p[1].bytes; }));
    ClockedAnimation& animation = Animate(damaged);
    int finished = 0;
    CountFinished(animation, finished);
    animation.SetFramePeriod(5000);
    animation.Play();
    for (std::uint64_t t = 0; t <= 5000 * kFrames; t += 1000)
        ASSERT_NO_THROW(At(animation, t));
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(animation.GetCurrentFrame(), 3) << "showing frame 3 asked for the damaged frame 4";
    EXPECT_NO_THROW(animation.ShowFrame(5)) << "and nothing comes after";
}

// Damaged copies of a clip: bytes changed under the pages' checksums (pages lost), packets
// changed under fresh checksums (the decoder sees the damage), and cuts anywhere.
TEST_F(Video, DamagedVideosNeverCrashOrHang)
{
    const Bytes clip = SolidClip({ kFrameColours.begin(), kFrameColours.begin() + 4 });
    const auto packets = OggPackets(clip);
    std::mt19937 random(2024);
    int opened = 0;
    for (int round = 0; round < 600; ++round) {
        Bytes data;
        switch (round % 3) {
        case 0:
            data = clip;
            for (int n = 1 + int(random() % 8); n > 0; --n)
                data[random() % data.size()] = std::uint8_t(random());
            break;
        case 1: {
            auto copy = packets;
            for (int n = 1 + int(random() % 8); n > 0; --n) {
                Bytes& bytes = copy[random() % copy.size()].bytes;
                if (!bytes.empty())
                    bytes[random() % bytes.size()] = std::uint8_t(random());
            }
            data = Join(PagePerPacket(copy, 517));
            break;
        }
        default:
            data = Cut(clip, random() % clip.size());
        }
        IMTheoraView view;
        view.SetRect({ 0, 0, 32, 32 });
        try {
            view.Open(data.data(), data.size());
            ++opened;
            for (int frame = 0; frame < 8; ++frame)
                view.ShowFrame(frame % 6);
            view.Draw();
        } catch (const std::runtime_error&) {
        }
    }
    EXPECT_GT(opened, 100) << "most damage leaves a playable video";
}

} // namespace
} // namespace pestrol::test
