#include "media/SoundTestBase.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>

namespace pestrol::test {
namespace {

using namespace std::chrono_literals;
using Strings = std::vector<std::string>;

// The disk driver writes everything the device plays, as 16-bit stereo frames.
class SoundOutput : public SoundTestBase {
protected:
    void StartOnDisk()
    {
        m_driver.emplace("SDL_AUDIODRIVER", "disk");
        m_file.emplace("SDL_DISKAUDIOFILE", Scratch("played.raw").string());
        Start();
        ASSERT_TRUE(sounds->HasAudioDevice());
    }
    // Closes the device and reads back what it played.
    std::vector<std::int16_t> Played()
    {
        sounds.reset();
        std::ifstream in(Scratch("played.raw"), std::ios::binary);
        std::vector<char> bytes((std::istreambuf_iterator<char>(in)), {});
        std::vector<std::int16_t> samples(bytes.size() / 2);
        std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
        return samples;
    }

    std::optional<ScopedEnv> m_driver;
    std::optional<ScopedEnv> m_file;
};

std::size_t FirstSound(const std::vector<std::int16_t>& samples)
{
    std::size_t i = 0;
    while (i < samples.size() && samples[i] == 0)
        ++i;
    return i;
}

// The level of [from, from + count) samples, full scale = 1.
double Rms(const std::vector<std::int16_t>& samples, std::size_t from, std::size_t count)
{
    double sum = 0;
    for (std::size_t i = from; i < from + count; ++i)
        sum += static_cast<double>(samples[i]) * samples[i];
    return std::sqrt(sum / static_cast<double>(count)) / 32768.0;
}

TEST_F(SoundOutput, TheDevicePlaysExactlyTheDecodedFramesOfAResource)
{
    StartOnDisk();
    const std::uint32_t id = sounds->CreateSound(L"167");
    Recorder heard;
    heard.Listen(*sounds->FindStream(id));
    PlayToEnd(id, heard, 4000ms);
    ASSERT_EQ(heard.Order(), (Strings{"started", "ended"}));
    const std::vector<std::int16_t> played = Played();
    const std::vector<std::int16_t> decoded = DecodeAll(ResourceTone());
    ASSERT_EQ(decoded.size(), 200000u);

    constexpr std::size_t kPlayable = 96472 * 2;
    const std::size_t lead = FirstSound(decoded);
    ASSERT_LT(lead, 64u);
    const std::size_t start = FirstSound(played) - lead;
    ASSERT_EQ(start % 2, 0u) << "frames stay whole";
    ASSERT_GE(played.size(), start + kPlayable + 2048);
    EXPECT_TRUE(std::equal(decoded.begin(), decoded.begin() + kPlayable, played.begin() + start));
    EXPECT_TRUE(std::all_of(played.begin() + start + kPlayable, played.end(),
                            [](std::int16_t s) { return s == 0; }))
        << "silence after the playable frames, the trimmed tail never plays";
}

TEST_F(SoundOutput, TwoStreamsAreMixedAndAMonoStreamIsResampledToBothSides)
{
    StartOnDisk();
    const auto low = EncodeTone({1, 22050, 22050, 300.0, 0.3});
    const auto high = EncodeTone({2, 44100, 44100, 1000.0, 0.3});
    const std::uint32_t a = FromMemory(L"low", low);
    const std::uint32_t b = FromMemory(L"high", high);
    Recorder heard;
    sounds->OnSoundEnd(a, heard.Sound("ended"));
    sounds->OnSoundEnd(b, heard.Sound("ended"));
    ASSERT_TRUE(sounds->PlaySound(a));
    ASSERT_TRUE(sounds->PlaySound(b));
    window.Run(*sounds, 4000ms, [&] { return heard.Count("ended") == 2; });
    ASSERT_EQ(heard.Count("ended"), 2);
    const std::vector<std::int16_t> played = Played();

    const std::size_t start = FirstSound(played) & ~std::size_t{1};
    std::vector<std::int16_t> left, right;
    for (std::size_t i = start; i + 1 < played.size(); i += 2) {
        left.push_back(played[i]);
        right.push_back(played[i + 1]);
    }
    // Two sines of amplitude 0.3: each alone has a level of 0.212, both together 0.3.
    const double each = 0.3 / std::sqrt(2.0);
    const double both = std::sqrt(2 * each * each);
    for (const auto* side : {&left, &right}) {
        EXPECT_NEAR(Rms(*side, 4410, 30870), both, 0.02);
        EXPECT_LT(Rms(*side, 50000, 10000), 0.001) << "both over after a second";
    }
    std::size_t last = played.size();
    while (last > 0 && played[last - 1] == 0)
        --last;
    EXPECT_NEAR(static_cast<double>(last - start) / 2 / 44100, 1.0, 0.03);
}

TEST_F(SoundOutput, WithoutADeviceTheSilentSinkStillEndsSoundsInRealTime)
{
    ScopedEnv driver("SDL_AUDIODRIVER", "no-such-driver");
    Start();
    EXPECT_FALSE(sounds->HasAudioDevice());
    const std::uint32_t id = FromMemory(L"short", ShortTone());
    Recorder heard;
    heard.Listen(*sounds->FindStream(id));
    sounds->AddLabel(id, 200, heard.Label());
    const double played = heard.Now();
    PlayToEnd(id, heard);
    ASSERT_EQ(heard.Order(), (Strings{"started", "label", "ended"}));
    const double afterData = heard.First("ended")->at - played - 0.3;
    EXPECT_GE(afterData, 0.5);
    EXPECT_LE(afterData, 1.0);

    const std::uint32_t second = FromMemory(L"long", LongTone());
    ASSERT_TRUE(sounds->PlaySound(second));
    window.Run(*sounds, 300ms);
    EXPECT_TRUE(sounds->StopSound(second));
}

}  // namespace
}  // namespace pestrol::test
