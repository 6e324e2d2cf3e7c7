#include "platform/AudioMixer.h"
#include "platform/SoundBuffer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace pestrol {
namespace {

// A buffer whose frame f holds the value base + f on channel 0 and -(base + f) on the
// others.
void FillRamp(SoundBuffer& buffer, std::int16_t base)
{
    const int channels = buffer.Channels();
    std::span<std::uint8_t> bytes = buffer.Lock(0, buffer.Size());
    ASSERT_EQ(bytes.size(), buffer.Size());
    const std::size_t frames = bytes.size() / (2 * channels);
    for (std::size_t f = 0; f < frames; ++f) {
        for (int c = 0; c < channels; ++c) {
            const auto v = static_cast<std::int16_t>((c == 0 ? 1 : -1) * (base + static_cast<int>(f)));
            std::memcpy(&bytes[(f * channels + c) * 2], &v, 2);
        }
    }
    buffer.Unlock();
}

std::vector<std::int16_t> Mixed(AudioMixer& mixer, std::size_t frames)
{
    std::vector<std::int16_t> out(frames * 2, 99);
    mixer.Mix(out.data(), frames);
    return out;
}

TEST(AudioMixer, ConvertsEachBufferToStereoAt44100)
{
    struct Case {
        int channels;
        int rate;
        std::vector<std::int16_t> expected;  // the first four stereo frames
        std::size_t positionAfter;           // bytes, after a tenth of a second
    };
    const Case cases[] = {
        {2, 44100, {100, -100, 101, -101, 102, -102, 103, -103}, 4410 * 4},
        {1, 44100, {100, 100, 101, 101, 102, 102, 103, 103}, 4410 * 2},
        {1, 22050, {100, 100, 100, 100, 101, 101, 101, 101}, 2205 * 2},
        {3, 44100, {100, -100, 101, -101, 102, -102, 103, -103}, 4410 * 6},
        {2, 48000, {100, -100, 101, -101, 102, -102, 103, -103}, 4800 * 4},
        {2, 11025, {100, -100, 100, -100, 100, -100, 100, -100}, 1102 * 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.channels << " channels at " << c.rate);
        AudioMixer mixer(AudioMixer::Drive::Caller);
        std::mutex guard;  // only this thread mixes
        SoundBuffer buffer(mixer, guard, c.channels, c.rate, static_cast<std::size_t>(c.rate * c.channels * 2));
        FillRamp(buffer, 100);
        buffer.Play();
        std::vector<std::int16_t> out = Mixed(mixer, 4);
        EXPECT_EQ(out, c.expected);
        Mixed(mixer, 4410 - 4);
        EXPECT_EQ(buffer.Position(), c.positionAfter);
    }
}

TEST(AudioMixer, InterpolatesBetweenFramesWhenResampling)
{
    AudioMixer mixer(AudioMixer::Drive::Caller);
    std::mutex guard;
    SoundBuffer buffer(mixer, guard, 1, 11025, 22050);
    FillRamp(buffer, 1000);
    std::span<std::uint8_t> first = buffer.Lock(0, 4);
    const std::int16_t ramp[] = {0, 400};
    std::memcpy(first.data(), ramp, 4);
    buffer.Unlock();
    buffer.Play();
    const std::vector<std::int16_t> out = Mixed(mixer, 5);
    EXPECT_EQ(out, (std::vector<std::int16_t>{0, 0, 100, 100, 200, 200, 300, 300, 400, 400}));
    EXPECT_EQ(buffer.Position(), 2u);
}

TEST(AudioMixer, SumsPlayingBuffersWithClippingAndSkipsStoppedOnes)
{
    AudioMixer mixer(AudioMixer::Drive::Caller);
    std::mutex guard;
    SoundBuffer a(mixer, guard, 2, 44100, 176400);
    SoundBuffer b(mixer, guard, 2, 44100, 176400);
    SoundBuffer stopped(mixer, guard, 2, 44100, 176400);
    FillRamp(a, 20000);
    FillRamp(b, 10);
    FillRamp(stopped, 5000);
    a.Play();
    b.Play();
    EXPECT_EQ(Mixed(mixer, 2), (std::vector<std::int16_t>{20010, -20010, 20012, -20012}));
    EXPECT_EQ(stopped.Position(), 0u);

    FillRamp(b, 20000);
    b.SetPosition(8);
    a.SetPosition(8);
    EXPECT_EQ(Mixed(mixer, 1), (std::vector<std::int16_t>{32767, -32768}));
    a.Stop();
    b.Stop();
    EXPECT_EQ(Mixed(mixer, 1), (std::vector<std::int16_t>{0, 0}));
}

TEST(AudioMixer, PositionsLockingAndWrapping)
{
    AudioMixer mixer(AudioMixer::Drive::Caller);
    std::mutex guard;
    SoundBuffer buffer(mixer, guard, 2, 44100, 400);  // 100 frames
    EXPECT_EQ(buffer.Size(), 400u);
    EXPECT_TRUE(buffer.Lock(399, 2).empty());
    EXPECT_TRUE(buffer.Lock(401, 0).empty());
    ASSERT_EQ(buffer.Lock(200, 200).size(), 200u);
    EXPECT_TRUE(buffer.Lock(0, 4).empty()) << "one part at a time";
    buffer.Unlock();
    buffer.SetPosition(390);
    EXPECT_EQ(buffer.Position(), 388u) << "at a whole frame";
    buffer.SetPosition(5000);
    EXPECT_EQ(buffer.Position(), 396u);
    buffer.Play();
    Mixed(mixer, 3);
    EXPECT_EQ(buffer.Position(), 8u) << "round to the start";
    EXPECT_TRUE(buffer.IsPlaying());
    EXPECT_FALSE(mixer.HasDevice());

    SoundBuffer odd(mixer, guard, 2, 44100, 7);
    EXPECT_EQ(odd.Size(), 4u) << "whole frames, at least one";
}

}  // namespace
}  // namespace pestrol
