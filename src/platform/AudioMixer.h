#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace pestrol {

class SoundBuffer;

// The one audio output, 44,100 Hz stereo 16-bit, mixing every playing SoundBuffer. Where
// no audio device opens, a silent sink of our own consumes the buffers in real time
// instead, so that playback still starts, advances and ends on a machine without sound.
class AudioMixer {
public:
    static constexpr std::uint32_t kRate = 44100;
    static constexpr int kChannels = 2;

    // Output: the device or the sink call Mix. Caller: only the caller does (for
    // measurements and checks of what is mixed).
    enum class Drive { Output, Caller };

    explicit AudioMixer(Drive drive = Drive::Output);
    ~AudioMixer();
    AudioMixer(const AudioMixer&) = delete;
    AudioMixer& operator=(const AudioMixer&) = delete;

    // False while the silent sink plays instead of a device, or nothing drives the mixer.
    bool HasDevice() const;

    // Fills `frames` interleaved stereo frames with the sum of the playing buffers,
    // moving their play positions on.
    void Mix(std::int16_t* out, std::size_t frames);
    // Whether any buffer is playing now.
    bool IsPlaying();

private:
    friend class SoundBuffer;
    struct Output;

    void Add(SoundBuffer& buffer);
    void Remove(SoundBuffer& buffer);

    std::mutex m_buffersGuard;
    std::vector<SoundBuffer*> m_buffers;
    std::vector<std::int32_t> m_sum;
    std::unique_ptr<Output> m_output;
};

}  // namespace pestrol
