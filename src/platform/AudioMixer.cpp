#include "platform/AudioMixer.h"

#include "platform/DebugTrace.h"
#include "platform/SoundBuffer.h"

#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

namespace pestrol {

namespace {

void SDLCALL FillDevice(void* mixer, Uint8* stream, int length)
{
    static_cast<AudioMixer*>(mixer)->Mix(reinterpret_cast<std::int16_t*>(stream),
                                         static_cast<std::size_t>(length) / 4);
}

}  // namespace

// The SDL device, or the sink thread when there is none.
struct AudioMixer::Output {
    explicit Output(AudioMixer& mixer);
    ~Output();
    bool OpenDevice(AudioMixer& mixer);
    void RunSink(AudioMixer& mixer);

    SDL_AudioDeviceID device = 0;
    std::atomic<bool> stopping{false};
    std::thread sink;
};

AudioMixer::Output::Output(AudioMixer& mixer)
{
    if (OpenDevice(mixer))
        return;
    DebugTrace(L" нет звукового устройства: тихий вывод\n");
    sink = std::thread([this, &mixer] { RunSink(mixer); });
}

AudioMixer::Output::~Output()
{
    if (device != 0) {
        SDL_CloseAudioDevice(device);
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    stopping = true;
    if (sink.joinable())
        sink.join();
}

bool AudioMixer::Output::OpenDevice(AudioMixer& mixer)
{
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return false;
    SDL_AudioSpec wanted{};
    wanted.freq = static_cast<int>(kRate);
    wanted.format = AUDIO_S16LSB;
    wanted.channels = kChannels;
    wanted.samples = 1024;
    wanted.callback = FillDevice;
    wanted.userdata = &mixer;
    SDL_AudioSpec obtained{};
    device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (device == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    SDL_PauseAudioDevice(device, 0);
    return true;
}

// Consumes as many frames as real time has played, in small steps. With nothing playing
// it only looks in now and then, so a still screen without a sound card stays idle.
void AudioMixer::Output::RunSink(AudioMixer& mixer)
{
    using Clock = std::chrono::steady_clock;
    constexpr std::size_t kStep = kRate / 100;
    std::vector<std::int16_t> discarded(kStep * kChannels);
    const Clock::time_point start = Clock::now();
    std::uint64_t consumed = 0;
    while (!stopping) {
        const bool playing = mixer.IsPlaying();
        std::this_thread::sleep_for(std::chrono::milliseconds(playing ? 5 : 20));
        const auto elapsed = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start);
        const std::uint64_t due = static_cast<std::uint64_t>(elapsed.count()) * kRate / 1000000;
        if (!playing && !mixer.IsPlaying()) {
            consumed = due;
            continue;
        }
        while (consumed < due) {
            const std::size_t frames = static_cast<std::size_t>(std::min<std::uint64_t>(due - consumed, kStep));
            mixer.Mix(discarded.data(), frames);
            consumed += frames;
        }
    }
}

bool AudioMixer::IsPlaying()
{
    std::lock_guard lock(m_buffersGuard);
    for (SoundBuffer* buffer : m_buffers) {
        std::lock_guard bufferLock(buffer->m_guard);
        if (buffer->IsPlaying())
            return true;
    }
    return false;
}

AudioMixer::AudioMixer(Drive drive)
    : m_output(drive == Drive::Output ? std::make_unique<Output>(*this) : nullptr)
{
}

AudioMixer::~AudioMixer() = default;

bool AudioMixer::HasDevice() const
{
    return m_output && m_output->device != 0;
}

void AudioMixer::Mix(std::int16_t* out, std::size_t frames)
{
    std::lock_guard lock(m_buffersGuard);
    m_sum.assign(frames * kChannels, 0);
    for (SoundBuffer* buffer : m_buffers) {
        std::lock_guard bufferLock(buffer->m_guard);
        if (buffer->IsPlaying())
            buffer->MixInto(m_sum.data(), frames, kRate);
    }
    for (std::size_t i = 0; i < m_sum.size(); ++i)
        out[i] = static_cast<std::int16_t>(std::clamp(m_sum[i], -32768, 32767));
}

void AudioMixer::Add(SoundBuffer& buffer)
{
    std::lock_guard lock(m_buffersGuard);
    m_buffers.push_back(&buffer);
}

void AudioMixer::Remove(SoundBuffer& buffer)
{
    std::lock_guard lock(m_buffersGuard);
    std::erase(m_buffers, &buffer);
}

}  // namespace pestrol
