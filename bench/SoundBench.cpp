#include "media/CSoundSource.h"
#include "platform/AudioMixer.h"
#include "platform/SoundBuffer.h"

#include "OggTone.h"

#include <benchmark/benchmark.h>

#include <mutex>
#include <vector>

namespace {

// One second of playback of one stream: decoding a second of stereo 44.1 kHz Vorbis
// into the stream's buffer, half a second at a time as its worker does, and mixing that
// second for the output.
void BM_OneSecondOfPlayback(benchmark::State& state)
{
    const std::vector<std::uint8_t> ogg = pestrol::tools::EncodeTone({2, 44100, 88200, 440.0, 0.5});
    auto source = pestrol::CSoundSource::OpenMemory(ogg.data(), ogg.size());
    pestrol::AudioMixer mixer(pestrol::AudioMixer::Drive::Caller);
    std::mutex guard;
    pestrol::SoundBuffer buffer(mixer, guard, 2, 44100, 176400);
    buffer.Play();
    std::vector<std::int16_t> out(1024 * 2);
    for (auto _ : state) {
        source->Rewind();
        for (std::size_t half : {0u, 88200u}) {
            std::span<std::uint8_t> part = buffer.Lock(half, 88200);
            benchmark::DoNotOptimize(source->ReadPcm(part.data(), part.size()));
            buffer.Unlock();
        }
        for (int i = 0; i < 44100 / 1024 + 1; ++i)
            mixer.Mix(out.data(), 1024);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetLabel("CPU time per second of sound");
}
BENCHMARK(BM_OneSecondOfPlayback)->Unit(benchmark::kMillisecond);

// The output's share alone: mixing a second of a 22,050 Hz mono stream, which is resampled
// and spread to both sides.
void BM_MixOneSecondResampled(benchmark::State& state)
{
    pestrol::AudioMixer mixer(pestrol::AudioMixer::Drive::Caller);
    std::mutex guard;
    pestrol::SoundBuffer buffer(mixer, guard, 1, 22050, 44100);
    buffer.Play();
    std::vector<std::int16_t> out(1024 * 2);
    for (auto _ : state) {
        for (int i = 0; i < 44100 / 1024 + 1; ++i)
            mixer.Mix(out.data(), 1024);
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(BM_MixOneSecondResampled)->Unit(benchmark::kMillisecond);

}  // namespace
