#include "media/CSoundSource.h"
#include "media/SoundFixtures.h"

#include <gtest/gtest.h>

#include <random>

namespace pestrol::test {
namespace {

std::size_t ReadAll(CSoundSource& source)
{
    std::vector<std::uint8_t> chunk(22050);
    std::size_t total = 0;
    while (std::size_t got = source.ReadPcm(chunk.data(), chunk.size()))
        total += got;
    return total;
}

TEST(SoundSource, ReadsTheWholeStreamAgainAfterRewinding)
{
    const auto& bytes = ResourceTone();
    auto source = CSoundSource::OpenMemory(bytes.data(), bytes.size());
    ASSERT_TRUE(source);
    EXPECT_EQ(source->Channels(), 2);
    EXPECT_EQ(source->Rate(), 44100);
    EXPECT_EQ(source->BytesPerFrame(), 4);
    EXPECT_EQ(ReadAll(*source), 400000u);
    EXPECT_EQ(ReadAll(*source), 0u);
    ASSERT_TRUE(source->Rewind());
    std::vector<std::uint8_t> odd(4003);
    EXPECT_EQ(source->ReadPcm(odd.data(), odd.size()), 4000u) << "whole frames only";
    EXPECT_EQ(ReadAll(*source), 396000u);
}

TEST(SoundSource, ResourcesStopBeforeTheirTail)
{
    const ResourceBlock blocks[] = {{L"167", ResourceTone().data(), ResourceTone().size()}};
    const ResourceLibrary library(blocks, {});
    auto source = CSoundSource::Open(L"167", &library);
    ASSERT_TRUE(source);
    EXPECT_EQ(ReadAll(*source), 96472u * 4);
    EXPECT_FALSE(CSoundSource::Open(L"167", nullptr));
    EXPECT_FALSE(CSoundSource::Open(L"168", &library));
}

// Damaged copies of a sound: flipped bytes, cut ends, doubled pages. Each one either
// fails to open or decodes to at most its stated length, and nothing runs away.
TEST(SoundSource, DamagedDataDecodesSafely)
{
    const auto good = EncodeTone({2, 22050, 8000, 700.0, 0.6});
    std::mt19937 random(517);
    int opened = 0;
    for (int round = 0; round < 400; ++round) {
        std::vector<std::uint8_t> bytes = good;
        switch (round % 4) {
        case 0:
            for (int n = 1 + static_cast<int>(random() % 8); n > 0; --n)
                bytes[random() % bytes.size()] ^= static_cast<std::uint8_t>(1 + random() % 255);
            break;
        case 1:
            bytes.resize(random() % bytes.size());
            break;
        case 2: {
            const std::size_t from = random() % bytes.size();
            bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(random() % bytes.size()),
                         good.begin() + static_cast<std::ptrdiff_t>(from), good.end());
            break;
        }
        default:
            for (std::size_t i = random() % bytes.size(); i < bytes.size(); i += 1 + random() % 97)
                bytes[i] = static_cast<std::uint8_t>(random());
        }
        auto source = CSoundSource::OpenMemory(bytes.data(), bytes.size());
        if (!source)
            continue;
        ++opened;
        ASSERT_GE(source->Channels(), 1);
        ASSERT_LE(source->Channels(), 8);
        const auto limit = static_cast<std::size_t>(source->TotalFrames()) *
                           static_cast<std::size_t>(source->BytesPerFrame());
        EXPECT_LE(ReadAll(*source), limit) << "round " << round;
        if (source->Rewind()) {
            EXPECT_LE(ReadAll(*source), limit);
        }
    }
    EXPECT_GT(opened, 0) << "some damage leaves the sound playable";
}

}  // namespace
}  // namespace pestrol::test
